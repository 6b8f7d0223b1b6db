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
};
