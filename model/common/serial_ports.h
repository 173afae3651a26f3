#pragma once
// Serial ports are named "COM<n>" everywhere in the program and its files. Each COM
// number stands for one Linux device:
//   ttyS<k>   is COM k+1    (COM 1-100)
//   ttyUSB<k> is COM k+101  (COM 101-200)
//   ttyACM<k> is COM k+201  (COM 201-300)
// The environment variable CORVANIX_COM<n> names another device for COM n (a udev
// link, or a pseudo-terminal in tests) and takes precedence.

#include <QString>
#include <QStringList>

// The device path of COM n ("/dev/ttyUSB0" for 101), or an empty text when n has
// no device (always for n below 1).
QString ComPortDevicePath(int comNumber);

// The COM number of a tty name such as "ttyUSB0", or 0 when the name has none.
int ComNumberOfDevice(const QString& ttyName);

// Empties ports, then adds "COM<n>" for every serial port of the machine, in COM
// number order: the ttys of sysRoot/class/tty that have a device (ttyS only when the
// port is real), and every CORVANIX_COM<n> whose device exists.
void ListSerialPorts(QStringList& ports, const QString& sysRoot = QStringLiteral("/sys"));
