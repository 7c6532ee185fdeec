// The port map of the window program: OUT to port 00h reaches the monitor, 01h the floppy drive,
// 02h the hard disk, 04h the printer. The network adapter has no device object yet (its window
// comes later), so a byte sent to it goes nowhere, as it would to an unused port.
#pragma once

#include "host.h"

namespace orlan {

class MonitorDevice;
class PrinterDevice;
class StorageDevice;

class DevicePorts : public PortMap {
  public:
    // The devices live in their windows, which are created after the engine: wire them then.
    void setMonitor(MonitorDevice* monitor) { monitor_ = monitor; }
    void setPrinter(PrinterDevice* printer) { printer_ = printer; }
    void setFloppy(StorageDevice* floppy) { floppy_ = floppy; }
    void setHardDisk(StorageDevice* hardDisk) { hardDisk_ = hardDisk; }

    void output(Device device, uint8_t value) override;

  private:
    MonitorDevice* monitor_ = nullptr;
    PrinterDevice* printer_ = nullptr;
    StorageDevice* floppy_ = nullptr;
    StorageDevice* hardDisk_ = nullptr;
};

}  // namespace orlan
