// What every rig, encoder and BiSS master answers: the handshake and end-signal link frames,
// the status request and the model request (normal type reply, or boot-mode name and version).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "simbehaviour.h"

class IdentifyingBehaviour : public SimBehaviour {
public:
    static constexpr quint8 kBoot = 0x01;
    static constexpr quint8 kNormal = 0x02;

    IdentifyingBehaviour(quint8 typeCode, const QString& name);

    int consume(const QByteArray& input, QList<QByteArray>& replies) override;

    // Settings a test may change before the host connects.
    quint8 typeCode;  // byte 2 of the normal-mode type reply
    QString name;     // 11-character name of the boot-mode model reply
    QString version = QStringLiteral("0.02");
    quint8 status = kNormal;  // the status reply byte (any value, to play a confused device)
    quint8 statusRequest = 0xF1;
    quint8 normalModelRequest = 0x92;
    quint8 normalModelEcho = 0x92;
    // Replies to successive handshakes; once used up, every further handshake gets 06.
    // A value of 0 means no reply at all.
    QList<quint8> handshakeReplies;
    quint8 endSignalReply = 0x06;

    QList<quint8> handshakeAxes;  // the axis byte of every handshake received

protected:
    // Commands of the particular equipment; the default ignores one unknown byte.
    virtual int consumeCommand(const QByteArray& input, QList<QByteArray>& replies);
};
