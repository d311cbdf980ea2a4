#include "app/ResourcePicture.h"

#include "dib/DibImage.h"
#include "plot/DrawDib.h"

QPixmap ResourcePicture(int id)
{
    DibImage picture;
    if (picture.LoadResource(id) != DibImage::kOk)
        return {};
    return QPixmap::fromImage(DibToQImage(picture));
}
