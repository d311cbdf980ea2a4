#pragma once

#include <string>
#include <vector>

// The serial devices present, for choosing the analyser's port.
struct SerialDevice {
    std::string path;  // the device's own node, /dev/ttyUSB0
    // The name to show and store: its stable /dev/serial/by-id link where
    // one exists (it survives re-plugging), else the node itself.
    std::string name;
};

// /dev/ttyS*, /dev/ttyUSB* and /dev/ttyACM* under root, in natural order
// (ttyS2 before ttyS10).
std::vector<SerialDevice> ListSerialDevices(const std::string& root = "/dev");

// When the user may not open device for lack of permission: why, and how to
// fix it (the group that owns the device and the command that adds the user
// to it), with CR LF line breaks. Empty otherwise.
std::string PermissionAdvice(const std::string& device);
