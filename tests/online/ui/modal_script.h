// Acts on a modal dialog once it is up, for tests of commands that run a dialog with exec().
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

// `act` runs once on the first modal dialog of type Dialog that opens.
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
    });
    timer->start();
}
