#pragma once
// The frame of a stand-in for a system service, a program of its own that a
// test starts on a private bus: it owns the service's name on the bus that
// DBUS_SYSTEM_BUS_ADDRESS names, hands every call below the service's object
// root to the stand-in's answer, and appends what it was asked to the log
// file given on its command line ("ready" once it owns the name), where the
// test reads it back.

#include <QDBusMessage>
#include <QString>

#include <functional>

// Appends Line to the stand-in's log.
void StandinLog(const QString& Line);

// Answers the call M: adds any out arguments to Reply (a plain reply to start
// with) and answers true, or answers false for a call the stand-in does not
// know (the caller then gets UnknownMethod).
using TStandinAnswer = std::function<bool(const QDBusMessage& M, QDBusMessage& Reply)>;

// Runs the stand-in until it is ended; the exit code says what failed: 2 no
// log file named, 3 the object root taken, 4 the service name taken.
int RunStandin(int argc, char** argv, const QString& Service, const QString& Root,
               TStandinAnswer Answer);
