// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a screen reader sees it: a private session bus whose
// accessibility bus the program joins, and the screen readers' own client
// library on that bus, which walks the accessible tree, presses actions and
// hears focus changes.

// First: GLib's headers use a word Qt defines as a macro.
#include <atspi/atspi.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <vector>

#include "x_display.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zt::testing {

// One accessible object, released with its last copy; empty when none.
using Accessible = std::shared_ptr<AtspiAccessible>;
inline Accessible Ref(AtspiAccessible* a) {
    return {a, [](AtspiAccessible* p) { p ? g_object_unref(p) : void(); }};
}
inline QString Text(gchar* s) {
    const QString text = QString::fromUtf8(s);
    g_free(s);
    return text;
}

// A private session bus (dbus-daemon), started on the display so that the
// accessibility bus it launches on demand belongs to this test alone; its
// runtime folder keeps that bus's socket apart from other tests'.
class AccessibilityBus {
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
        session_ = FirstLine(daemon_);
        if (session_.isEmpty()) return;
        // The library finds the accessibility bus through these when it starts,
        // once in a process's life.
        qunsetenv("AT_SPI_BUS_ADDRESS");
        qputenv("DISPLAY", display.toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS", session_.toUtf8());
        ready_ = atspi_init() == 0;
        atspi_set_timeout(kWaitMs, kWaitMs);
        // Names, states and children change as the user works: only roles are
        // kept.
        desktop_ = Ref(atspi_get_desktop(0));
        atspi_accessible_set_cache_mask(desktop_.get(), ATSPI_CACHE_ROLE);
    }
    ~AccessibilityBus() {
        if (listener_) g_object_unref(listener_);
        desktop_.reset();
        focused_.reset();
        if (ready_) atspi_exit();
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    [[nodiscard]] bool Ready() const { return ready_; }
    // What the program needs to join the bus (Qt joins it only when asked to,
    // or when a screen reader runs).
    [[nodiscard]] QProcessEnvironment ProgramEnvironment() const {
        QProcessEnvironment env;
        env.insert("DBUS_SESSION_BUS_ADDRESS", session_);
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        env.insert("XDG_RUNTIME_DIR", runtime_.path());
        return env;
    }

    // The application of the process `pid`, once it has joined the bus.
    Accessible WaitForApplication(qint64 pid) {
        Accessible app;
        WaitFor([&] {
            for (Accessible& a : Children(desktop_))
                if (atspi_accessible_get_process_id(a.get(), nullptr) == pid) app = a;
            return app != nullptr;
        });
        return app;
    }

    // The first `most` children.
    static std::vector<Accessible> Children(const Accessible& a, int most = 1 << 30) {
        std::vector<Accessible> children;
        const int n = std::min(atspi_accessible_get_child_count(a.get(), nullptr), most);
        for (int i = 0; i < n; ++i) {
            if (Accessible c = Ref(atspi_accessible_get_child_at_index(a.get(), i, nullptr)))
                children.push_back(c);
        }
        return children;
    }
    static QString Name(const Accessible& a) {
        return Text(atspi_accessible_get_name(a.get(), nullptr));
    }
    static QString RoleName(const Accessible& a) {
        return Text(atspi_accessible_get_role_name(a.get(), nullptr));
    }
    // The name of the label that labels `a` (its labelled-by relation).
    static QString LabelName(const Accessible& a) {
        GArray* relations = atspi_accessible_get_relation_set(a.get(), nullptr);
        QString name;
        for (guint i = 0; relations && i < relations->len; ++i) {
            AtspiRelation* r = g_array_index(relations, AtspiRelation*, i);
            if (name.isEmpty() &&
                atspi_relation_get_relation_type(r) == ATSPI_RELATION_LABELLED_BY &&
                atspi_relation_get_n_targets(r) > 0)
                name = Name(Ref(atspi_relation_get_target(r, 0)));
            g_object_unref(r);
        }
        if (relations) g_array_free(relations, TRUE);
        return name;
    }
    // The object's states, a bit each (1 << ATSPI_STATE_SHOWING, ...).
    static gint64 States(const Accessible& a) {
        AtspiStateSet* set = atspi_accessible_get_state_set(a.get());
        const gint64 states = set->states;
        g_object_unref(set);
        return states;
    }
    // Runs the object's first action (a menu item's Press, a button's Press).
    // Without waiting for the answer: the action may open a window with its own
    // event loop, which answers only once that window closes.
    static void Press(const Accessible& a) {
        GError* late = nullptr;
        atspi_set_timeout(1, 1);
        if (a) atspi_action_do_action(ATSPI_ACTION(a.get()), 0, &late);
        atspi_set_timeout(kWaitMs, kWaitMs);
        g_clear_error(&late);
    }
    // The key a screen reader gives for an object's first action ("Alt+F").
    static QString KeyBinding(const Accessible& a) {
        return a ? Text(atspi_action_get_key_binding(ATSPI_ACTION(a.get()), 0, nullptr)) : "";
    }

    // Starts hearing what a screen reader hears: focus changes, objects that
    // show (a notification is spoken then) and values that change.
    void Listen() {
        announced_.clear();
        values_.clear();
        focused_.reset();
        if (listener_) return;
        listener_ = atspi_event_listener_new(
            [](AtspiEvent* e, void* self) {
                static_cast<AccessibilityBus*>(self)->Hear(*e);
                g_boxed_free(ATSPI_TYPE_EVENT, e);
            },
            this, nullptr);
        for (const char* event : {"object:state-changed:focused", "object:state-changed:showing",
                                  "object:property-change:accessible-value"})
            atspi_event_listener_register(listener_, event, nullptr);
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
        WaitFor([&] { return focused_ && (heard = Name(focused_)) == name; });
        return heard;
    }

  private:
    void Hear(const AtspiEvent& e) {
        const std::string_view type = e.type;
        const Accessible source = Ref(static_cast<AtspiAccessible*>(g_object_ref(e.source)));
        if (type == "object:state-changed:focused" && e.detail1 == 1) focused_ = source;
        // Read at once: the program keeps only its last few announcements.
        if (type == "object:state-changed:showing" && e.detail1 == 1 &&
            atspi_accessible_get_role(e.source, nullptr) == ATSPI_ROLE_NOTIFICATION)
            announced_ << Name(source);
        if (type == "object:property-change:accessible-value")
            values_ << Name(source) + ": " +
                           QString::number(
                               atspi_value_get_current_value(ATSPI_VALUE(e.source), nullptr));
    }

    QTemporaryDir runtime_;
    QProcess daemon_;
    QString session_;
    bool ready_ = false;
    Accessible desktop_;
    AtspiEventListener* listener_ = nullptr;
    Accessible focused_;
    QStringList announced_;
    QStringList values_;
};

// The test program's bus, on its display: the library joins one bus in a
// process's life.
inline AccessibilityBus& Bus() {
    static AccessibilityBus bus(Screen().Name());
    return bus;
}

}  // namespace zt::testing
