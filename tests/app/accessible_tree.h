// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a screen reader sees it: a private session bus whose
// accessibility bus the program joins, and a client of that bus that walks the
// accessible tree, presses actions and hears focus changes, as Orca does.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

#include "x_display.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zt::testing {

// One accessible object: the program's bus name and the object's path.
struct Accessible {
    QString service;
    QString path;
    friend bool operator==(const Accessible&, const Accessible&) = default;
};

// Bits of an object's state set.
enum class AccessibleState { Focusable = 11, Focused = 12, Showing = 25 };

// A private session bus (dbus-daemon), started on the display so that the
// accessibility bus it launches on demand belongs to this test alone; its
// runtime folder keeps that bus's socket apart from other tests'.
class AccessibilityBus : public QObject {
    Q_OBJECT
  public:
    explicit AccessibilityBus(const QString& display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        env.insert("HOME", runtime_.path());
        // The bus finds the accessibility services in the system's data folders.
        env.remove("XDG_DATA_DIRS");
        env.remove("XDG_DATA_HOME");
        daemon_.setProcessEnvironment(env);
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon_.waitForStarted(kWaitMs) || !WaitFor([this] {
                daemon_.waitForReadyRead(50);
                return daemon_.canReadLine() || daemon_.state() == QProcess::NotRunning;
            })) {
            return;
        }
        session_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        QDBusConnection session = QDBusConnection::connectToBus(session_, "zt-session");
        const QDBusMessage reply = session.call(QDBusMessage::createMethodCall(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
        if (reply.arguments().isEmpty()) {
            qWarning("no accessibility bus on %s: %s", qPrintable(session_),
                     qPrintable(reply.errorMessage()));
            return;
        }
        bus_ = QDBusConnection::connectToBus(reply.arguments().at(0).toString(), "zt-a11y");
    }
    ~AccessibilityBus() override {
        QDBusConnection::disconnectFromBus("zt-a11y");
        QDBusConnection::disconnectFromBus("zt-session");
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    [[nodiscard]] bool Ready() const { return bus_.isConnected(); }
    // What the program needs to join the bus (Qt joins it only when asked to,
    // or when a screen reader runs).
    [[nodiscard]] QProcessEnvironment ProgramEnvironment() const {
        QProcessEnvironment env;
        env.insert("DBUS_SESSION_BUS_ADDRESS", session_);
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        return env;
    }

    // The first application that registered with the bus, once there is one.
    Accessible WaitForApplication() {
        std::vector<Accessible> apps;
        WaitFor([&] {
            apps = Children({"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"});
            return !apps.empty();
        });
        return apps.empty() ? Accessible{} : apps.front();
    }

    std::vector<Accessible> Children(const Accessible& a) {
        std::vector<Accessible> children;
        const QVariant reply = Call(a, "org.a11y.atspi.Accessible", "GetChildren");
        if (!reply.isValid()) return children;
        const auto list = reply.value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) children.push_back(Reference(list));
        list.endArray();
        return children;
    }
    QString Name(const Accessible& a) { return Property(a, "Name"); }
    // The name of the label that labels `a` (its labelled-by relation).
    QString LabelName(const Accessible& a) {
        const QVariant reply = Call(a, "org.a11y.atspi.Accessible", "GetRelationSet");
        if (!reply.isValid()) return {};
        const auto relations = reply.value<QDBusArgument>();
        Accessible label;
        relations.beginArray();
        while (!relations.atEnd()) {
            uint type = 0;
            relations.beginStructure();
            relations >> type;
            relations.beginArray();
            while (!relations.atEnd()) {
                const Accessible target = Reference(relations);
                if (type == kLabelledBy && label.path.isEmpty()) label = target;
            }
            relations.endArray();
            relations.endStructure();
        }
        relations.endArray();
        return label.path.isEmpty() ? QString() : Name(label);
    }
    QString RoleName(const Accessible& a) {
        return Call(a, "org.a11y.atspi.Accessible", "GetRoleName").toString();
    }
    bool Has(const Accessible& a, AccessibleState state) {
        const auto bits = qdbus_cast<QList<uint>>(Call(a, "org.a11y.atspi.Accessible", "GetState"));
        const auto bit = static_cast<uint>(state);
        return bits.size() > bit / 32 && (bits[bit / 32] >> (bit % 32) & 1U) != 0;
    }
    // Runs the object's first action (a menu item's Press, a button's Press).
    // Without waiting: the action may open a window with its own event loop.
    void Press(const Accessible& a) {
        QDBusMessage m =
            QDBusMessage::createMethodCall(a.service, a.path, "org.a11y.atspi.Action", "DoAction");
        m << 0;
        bus_.asyncCall(m);
    }

    // The key a screen reader gives for an object's first action ("Alt+F").
    QString KeyBinding(const Accessible& a) {
        return Call(a, "org.a11y.atspi.Action", "GetKeyBinding", {0}).toString();
    }

    // Starts hearing what a screen reader hears: focus changes, objects that
    // show (a notification is spoken then) and values that change.
    void Listen() {
        for (const char* event : {"Object:StateChanged", "Object:PropertyChange:AccessibleValue"}) {
            QDBusMessage m = QDBusMessage::createMethodCall(
                "org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
                "RegisterEvent");
            m << QString(event) << QStringList() << QString();
            bus_.call(m);
        }
        bus_.connect(QString(), QString(), "org.a11y.atspi.Event.Object", "StateChanged", this,
                     SLOT(stateChanged(QDBusMessage)));
        bus_.connect(QString(), QString(), "org.a11y.atspi.Event.Object", "PropertyChange", this,
                     SLOT(propertyChanged(QDBusMessage)));
    }
    // Waits for a notification that says `text`; the texts heard so far, one a
    // line, when none does.
    QString WaitForAnnouncement(const QString& text) {
        WaitFor([&] { return announced_.contains(text); });
        return announced_.contains(text) ? text : announced_.join('\n');
    }
    // Every value heard changing, as "name: value".
    [[nodiscard]] const QStringList& Values() const { return values_; }
    // Waits for the focus to move to an object whose name is `name`; returns
    // the last name heard when it does not.
    QString WaitForFocusNamed(const QString& name) {
        QString heard;
        WaitFor([&] {
            if (focused_.path.isEmpty()) return false;
            heard = Name(focused_);
            return heard == name;
        });
        return heard;
    }

  private slots:
    void stateChanged(const QDBusMessage& m) {
        const QVariantList args = m.arguments();
        if (args.size() < 2 || args.at(1).toInt() != 1) return;
        const Accessible source{m.service(), m.path()};
        if (args.at(0).toString() == "focused") focused_ = source;
        // Read at once: the program keeps only its last few announcements.
        if (args.at(0).toString() == "showing" && RoleName(source) == "notification")
            announced_ << Name(source);
    }
    void propertyChanged(const QDBusMessage& m) {
        const Accessible source{m.service(), m.path()};
        if (!m.arguments().isEmpty() && m.arguments().at(0).toString() == "accessible-value")
            values_ << Name(source) + ": " + Property(source, "CurrentValue", "Value");
    }

  private:
    static constexpr uint kLabelledBy = 2;

    // An object as the bus refers to it: its service and its path.
    static Accessible Reference(const QDBusArgument& argument) {
        Accessible a;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> a.service >> path;
        argument.endStructure();
        a.path = path.path();
        return a;
    }

    // The first value of the reply; none when the call failed.
    QVariant Call(const Accessible& a, const char* interface, const char* method,
                  const QVariantList& args = {}) {
        QDBusMessage m = QDBusMessage::createMethodCall(a.service, a.path, interface, method);
        m.setArguments(args);
        return bus_.call(m, QDBus::Block, kWaitMs).arguments().value(0);
    }
    QString Property(const Accessible& a, const char* name, const char* interface = "Accessible") {
        return Call(a, "org.freedesktop.DBus.Properties", "Get",
                    {QString("org.a11y.atspi.") + interface, QString(name)})
            .value<QDBusVariant>()
            .variant()
            .toString();
    }

    QTemporaryDir runtime_;
    QProcess daemon_;
    QString session_;
    QDBusConnection bus_{QString()};
    Accessible focused_;
    QStringList announced_;
    QStringList values_;
};

}  // namespace zt::testing
