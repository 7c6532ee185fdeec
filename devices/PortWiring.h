// The port map of the window program: OUT to port 00h reaches the monitor, 01h the floppy drive,
// 02h the hard disk, 03h the network adapter, 04h the printer.
#pragma once

#include "Host.h"

namespace orlan {

class MonitorDevice;
class NetworkDevice;
class PrinterDevice;
class StorageDevice;

class DevicePorts : public PortMap {
  public:
    // The devices live in their windows, which are created after the engine: wire them then.
    void setMonitor(MonitorDevice* monitor) { monitor_ = monitor; }
    void setPrinter(PrinterDevice* printer) { printer_ = printer; }
    void setFloppy(StorageDevice* floppy) { floppy_ = floppy; }
    void setHardDisk(StorageDevice* hardDisk) { hardDisk_ = hardDisk; }
    void setNetwork(NetworkDevice* network) { network_ = network; }

    void output(Device device, uint8_t value) override;

  private:
    MonitorDevice* monitor_ = nullptr;
    PrinterDevice* printer_ = nullptr;
    StorageDevice* floppy_ = nullptr;
    StorageDevice* hardDisk_ = nullptr;
    NetworkDevice* network_ = nullptr;
};

}  // namespace orlan
