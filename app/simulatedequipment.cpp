#include "simulatedequipment.h"

#include <QDebug>

#include "rigbehaviour.h"
#include "simdevice.h"
#include "virtualports.h"

SimulatedEquipment::SimulatedEquipment() {
    for (SimDevice::Kind kind : {SimDevice::Rig, SimDevice::Encoder, SimDevice::BissMaster}) {
        auto device = std::make_unique<SimDevice>(kind);
        if (!device->isValid()) {
            qWarning() << "cannot open a pseudo-terminal for" << SimDevice::kindName(kind);
            continue;
        }
        if (kind == SimDevice::Rig) {
            // Phases of about a second, so an operator can follow a calibration as it runs.
            auto lock = device->lock();
            static_cast<RigBehaviour*>(device->behaviour())->settings = RigBehaviour::visiblePace();
        }
        VirtualPorts::add(SimDevice::kindName(kind), device->portPath());
        equipment.push_back(std::move(device));
    }
}

SimulatedEquipment::~SimulatedEquipment() {
    for (const auto& device : equipment) VirtualPorts::remove(device->portPath());
}
