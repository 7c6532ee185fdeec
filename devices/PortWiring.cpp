#include "PortWiring.h"

#include "MonitorDevice.h"

namespace orlan {

void DevicePorts::output(Device device, uint8_t value) {
    switch (device) {
        case Device::Monitor:
            if (monitor_) monitor_->byteInput(value);
            break;
        // Not wired yet: their windows come later.
        case Device::Floppy:
        case Device::HardDisk:
        case Device::Network:
        case Device::Printer:
            break;
    }
}

}  // namespace orlan
