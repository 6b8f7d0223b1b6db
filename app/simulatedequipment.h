// Simulation mode: a calibration rig, an encoder and a BiSS master on pseudo-terminals,
// listed in the serial dialog beside the real ports.
#pragma once

#include <memory>
#include <vector>

class SimDevice;

class SimulatedEquipment {
public:
    SimulatedEquipment();
    ~SimulatedEquipment();

    const std::vector<std::unique_ptr<SimDevice>>& devices() const { return equipment; }

private:
    std::vector<std::unique_ptr<SimDevice>> equipment;
};
