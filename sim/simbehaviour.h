// The equipment's side of the protocol: turns the host's bytes into replies.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class SimBehaviour {
public:
    virtual ~SimBehaviour() = default;
    // Looks at the front of the host's unread bytes. Returns how many bytes form one complete
    // command (and appends its replies), or 0 when the command is not complete yet.
    virtual int consume(const QByteArray& input, QList<QByteArray>& replies) = 0;
    // Milliseconds to wait before the next reply is written, asked once per reply in the order
    // consume() appended them: a rig working through a phase, or the gap a host needs between a
    // status byte and the block behind it.
    virtual int takePauseMs() { return 0; }
};
