#include "PortWiring.h"

#include "MonitorDevice.h"
#include "NetworkDevice.h"
#include "PrinterDevice.h"
#include "StorageDevice.h"

namespace orlan {

void DevicePorts::output(Device device, uint8_t value) {
    switch (device) {
        case Device::Monitor:
            if (monitor_) monitor_->byteInput(value);
            break;
        case Device::Floppy:
            if (floppy_) floppy_->byteInput(value);
            break;
        case Device::HardDisk:
            if (hardDisk_) hardDisk_->byteInput(value);
            break;
        case Device::Network:
            if (network_) network_->send(value);
            break;
        case Device::Printer:
            if (printer_) printer_->byteInput(value);
            break;
    }
}

}  // namespace orlan
