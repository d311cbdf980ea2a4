#pragma once

#include <QGuiApplication>

#include <memory>

// The pages and reports are drawn off screen, so no window system is
// needed: fonts come from the offscreen platform unless the user chose
// another. Qt's own notes are not the command's messages; only its failures
// reach stderr.
std::unique_ptr<QGuiApplication> StartOffscreenGui();
