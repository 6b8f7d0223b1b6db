#include "simulatedequipment.h"

#include <QDebug>

#include "simdevice.h"
#include "virtualports.h"

SimulatedEquipment::SimulatedEquipment() {
    for (SimDevice::Kind kind : {SimDevice::Rig, SimDevice::Encoder, SimDevice::BissMaster}) {
        auto device = std::make_unique<SimDevice>(kind);
        if (!device->isValid()) {
            qWarning() << "cannot open a pseudo-terminal for" << SimDevice::kindName(kind);
            continue;
        }
        VirtualPorts::add(SimDevice::kindName(kind), device->portPath());
        equipment.push_back(std::move(device));
    }
}

SimulatedEquipment::~SimulatedEquipment() {
    for (const auto& device : equipment) VirtualPorts::remove(device->portPath());
}
