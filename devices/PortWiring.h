// The port map of the window program: OUT to port 00h reaches the monitor. The floppy drive, the
// hard disk, the network adapter and the printer have no device objects yet (their windows come
// later), so a byte sent to them goes nowhere, as it would to an unused port.
#pragma once

#include "host.h"

namespace orlan {

class MonitorDevice;

class DevicePorts : public PortMap {
  public:
    // The devices live in their windows, which are created after the engine: wire them then.
    void setMonitor(MonitorDevice* monitor) { monitor_ = monitor; }

    void output(Device device, uint8_t value) override;

  private:
    MonitorDevice* monitor_ = nullptr;
};

}  // namespace orlan
