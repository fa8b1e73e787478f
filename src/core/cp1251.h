// Windows-1251 text: every byte the files hold is converted here, both ways.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zorvik {

// Each of the 256 byte values maps to one character and back. 0x98 has no
// letter in Windows-1251; it stands for U+0098 so that foreign bytes survive.
QString fromCp1251(QByteArrayView bytes);

// One byte per character (code point); a character that Windows-1251 cannot
// hold becomes "?".
QByteArray toCp1251(QStringView text);

// True when every character of text has a Windows-1251 byte.
bool fitsCp1251(QStringView text);

} // namespace zorvik
