// Drives a modal dialog from a test: runs `act` on the next visible dialog
// with the given object name as soon as its exec() has shown it.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace varrow::test {

inline void onDialog(const char* objectName, std::function<void(QDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QDialog*>(w);
            if (d && d->isVisible() && d->objectName() == objectName) {
                timer->stop();
                timer->deleteLater();
                act(d);
                return;
            }
        }
    });
    timer->start();
}

} // namespace varrow::test
