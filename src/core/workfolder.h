// The folder the program works in: its parameter files, result log and
// default journal live there. Started from a folder, that folder; started
// from the desktop menu (the home folder itself, or a folder it may not
// write), a folder of the user's own, made and seeded on first start.
#pragma once

#include "storage.h"

#include <QString>

#include <functional>

namespace zorvik {

struct WorkFolder {
    QString dir;
    bool perUser = false; // the user's own folder, not where it was started
};

WorkFolder chooseWorkFolder(const QString& current, const QString& home, const QString& perUser,
                            const std::function<bool(const QString&)>& writable);

// Makes the user's folder and puts in it what is missing: empty parameter
// files and the sample tests found in `samples`. Nothing there is replaced.
void seedWorkFolder(const QString& dir, const QString& samples,
                    const Storage& storage = Storage::system());

} // namespace zorvik
