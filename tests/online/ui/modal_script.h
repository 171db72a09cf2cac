// Acts on a modal dialog once it is up, for tests of commands that run a dialog with exec().
#pragma once

#include "online/ui/user_login_dlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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

// The push button of `parent` that shows `text`, or null.
inline QPushButton* ButtonLabelled(const QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// The next sign-in dialog is filled in with the service's good account and sent.
inline void SignInWhenAsked() {
    WhenModal<CUserLogin>([](CUserLogin& login) {
        login.findChild<QLineEdit*>(QStringLiteral("account"))->setText(QStringLiteral("user01"));
        login.findChild<QLineEdit*>(QStringLiteral("password"))->setText(QStringLiteral("secret1"));
        login.findChild<QPushButton*>(QStringLiteral("login"))->click();
    });
}
