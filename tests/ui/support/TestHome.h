// A throw-away program directory for a window test: a temporary folder with
// a copy of the shipped dat/ files.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <filesystem>

namespace varrow::test {

class TestHome {
public:
    // withDat: copy the shipped dat/ files into it.
    explicit TestHome(bool withDat = true);
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    QString qpath() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + "/" + relative; }

private:
    QTemporaryDir dir_;
};

} // namespace varrow::test
