// The cues against a real sound server: a private one with a null sink, started by the test on a
// runtime folder of its own, PulseAudio or PipeWire's PulseAudio service as VELLOX_SOUND_SERVER
// says. What the server did is read from its own reports, on a connection of the test's: each
// sound uploaded once, a cue cutting off the one before, a waiting cue held no longer than its
// length, the server killed, frozen and gone on, a sample taken out by someone else, a second
// copy of the program beside this one, and what every exit leaves on the server.
#include "app/window_ops.h"
#include "sound/qt/sound_qt.h"
#include "sound/sound_platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <pulse/pulseaudio.h>

#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

const QString media_dir = QStringLiteral(VELLOX_MEDIA_DIR);

QString cue(const char* file) { return media_dir + '/' + QLatin1String(file); }

QByteArray name_of(const QString& file) {
    return sound::sample_name(sound::read_wav(file).value_or(sound::Wav()));
}

qint64 length_of(const QString& file) {
    return sound::read_wav(file).value_or(sound::Wav()).length_ms;
}

// Plays a cue and tells how many milliseconds the call took.
qint64 timed_play(const QString& file, int flags) {
    QElapsedTimer clock;
    clock.start();
    sound::play_sound(file.toStdString(), flags);
    return clock.elapsed();
}

// What the server reported, as its connection received it.
struct Event {
    enum What {
        sink_input_new,
        sink_input_gone,
        sample_new,
        sample_changed,
        sample_gone
    } what;
    uint32_t index;
    qint64 at_ms;
};

// The test's own connection to the server: it records the reports on sink inputs and cached
// samples, and lists and removes samples.
class Monitor {
public:
    explicit Monitor(const QElapsedTimer& clock)
        : clock_(clock), loop_(pa_threaded_mainloop_new()) {
        pa_threaded_mainloop_start(loop_);
    }

    ~Monitor() {
        pa_threaded_mainloop_lock(loop_);
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    // Connects and subscribes; false when the server does not let the test in within the time.
    bool connect(int timeout_ms) {
        pa_threaded_mainloop_lock(loop_);
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "sound_server_test");
        pa_context_set_subscribe_callback(context_, &Monitor::reported, this);
        pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        pa_threaded_mainloop_unlock(loop_);
        const bool ready = until(timeout_ms,
                                 [this] {
                                     const pa_context_state_t state =
                                         pa_context_get_state(context_);
                                     return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
                                 }) &&
                           pa_context_get_state(context_) == PA_CONTEXT_READY;
        if (!ready) return false;
        return done(pa_context_subscribe(context_,
                                         pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK_INPUT |
                                                                PA_SUBSCRIPTION_MASK_SAMPLE_CACHE),
                                         nullptr, nullptr));
    }

    std::vector<Event> events() const {
        QMutexLocker lock(&mutex_);
        return events_;
    }

    std::vector<Event> events_since(qint64 ms) const {
        std::vector<Event> since;
        for (const Event& e : events())
            if (e.at_ms >= ms) since.push_back(e);
        return since;
    }

    // The names of the samples in the server's cache.
    std::set<QByteArray> samples() {
        std::set<QByteArray> names;
        pa_threaded_mainloop_lock(loop_);
        pa_operation* listing = pa_context_get_sample_info_list(
            context_,
            [](pa_context*, const pa_sample_info* info, int, void* data) {
                if (info) static_cast<std::set<QByteArray>*>(data)->insert(info->name);
            },
            &names);
        pa_threaded_mainloop_unlock(loop_);
        done(listing);
        return names;
    }

    bool remove_sample(const QByteArray& name) {
        pa_threaded_mainloop_lock(loop_);
        pa_operation* removal =
            pa_context_remove_sample(context_, name.constData(), nullptr, nullptr);
        pa_threaded_mainloop_unlock(loop_);
        return done(removal);
    }

private:
    static void reported(pa_context*, pa_subscription_event_type_t type, uint32_t index,
                         void* data) {
        auto* monitor = static_cast<Monitor*>(data);
        const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
        const int kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
        Event::What what;
        if (facility == PA_SUBSCRIPTION_EVENT_SINK_INPUT && kind == PA_SUBSCRIPTION_EVENT_NEW)
            what = Event::sink_input_new;
        else if (facility == PA_SUBSCRIPTION_EVENT_SINK_INPUT &&
                 kind == PA_SUBSCRIPTION_EVENT_REMOVE)
            what = Event::sink_input_gone;
        else if (facility == PA_SUBSCRIPTION_EVENT_SAMPLE_CACHE)
            what = kind == PA_SUBSCRIPTION_EVENT_NEW      ? Event::sample_new
                   : kind == PA_SUBSCRIPTION_EVENT_CHANGE ? Event::sample_changed
                                                          : Event::sample_gone;
        else
            return;
        QMutexLocker lock(&monitor->mutex_);
        monitor->events_.push_back({what, index, monitor->clock_.elapsed()});
    }

    // Waits for an operation to end, a few seconds at most, and lets go of it.
    bool done(pa_operation* operation) {
        if (!operation) return false;
        const bool ended = until(5000, [operation] {
            return pa_operation_get_state(operation) != PA_OPERATION_RUNNING;
        });
        pa_threaded_mainloop_lock(loop_);
        pa_operation_unref(operation);
        pa_threaded_mainloop_unlock(loop_);
        return ended;
    }

    bool until(int timeout_ms, const std::function<bool()>& ended) {
        QDeadlineTimer deadline(timeout_ms);
        for (;;) {
            pa_threaded_mainloop_lock(loop_);
            const bool now = ended();
            pa_threaded_mainloop_unlock(loop_);
            if (now) return true;
            if (deadline.hasExpired()) return false;
            QThread::msleep(5);
        }
    }

    const QElapsedTimer& clock_;
    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    mutable QMutex mutex_;
    std::vector<Event> events_;
};

int count(const std::vector<Event>& events, Event::What what) {
    return int(std::count_if(events.begin(), events.end(),
                             [what](const Event& e) { return e.what == what; }));
}

// The most sink inputs alive at once, from their reports in the server's order.
int most_at_once(const std::vector<Event>& events) {
    int alive = 0, most = 0;
    for (const Event& e : events) {
        if (e.what == Event::sink_input_new) most = std::max(most, ++alive);
        if (e.what == Event::sink_input_gone) alive = std::max(0, alive - 1);
    }
    return most;
}

// A private server: PulseAudio alone, or PipeWire with its session manager and PulseAudio
// service on a D-Bus session bus of their own, with a null sink either way.
class Server {
public:
    explicit Server(QString kind) : kind_(std::move(kind)) {
        environment_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"PULSE_SERVER", "PULSE_COOKIE", "DISPLAY", "WAYLAND_DISPLAY",
                                 "DBUS_SESSION_BUS_ADDRESS", "PIPEWIRE_REMOTE"})
            environment_.remove(QLatin1String(name));
        environment_.insert("XDG_RUNTIME_DIR", dir_.path());
        environment_.insert("HOME", dir_.path());
        environment_.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
        environment_.insert("XDG_STATE_HOME", dir_.path() + "/state");
        environment_.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir_.path() + "/bus");
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (kind_ == "pipewire") {
            // The null sink belongs to PipeWire itself, so that it outlives its PulseAudio
            // service killed.
            QDir().mkpath(dir_.path() + "/config/pipewire/pipewire.conf.d");
            QFile conf(dir_.path() + "/config/pipewire/pipewire.conf.d/null-sink.conf");
            conf.open(QIODevice::WriteOnly);
            conf.write("context.objects = [ { factory = adapter args = {\n"
                       "  factory.name = support.null-audio-sink node.name = \"silence\"\n"
                       "  media.class = Audio/Sink object.linger = true\n"
                       "  audio.position = [ FL FR ] } } ]\n");
        }
    }

    ~Server() {
        for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
            ::kill(pid_t((*it)->processId()), SIGCONT);
            (*it)->kill();
            (*it)->waitForFinished(3000);
        }
    }

    // The programs the server needs, or an empty string when all are installed.
    QString missing() const {
        const QStringList programs =
            kind_ == "pipewire"
                ? QStringList{"dbus-daemon", "pipewire", "wireplumber", "pipewire-pulse"}
                : QStringList{"pulseaudio"};
        for (const QString& program : programs)
            if (QStandardPaths::findExecutable(program).isEmpty()) return program;
        return {};
    }

    QString runtime_dir() const { return dir_.path(); }

    void start() {
        if (kind_ == "pipewire") {
            launch("dbus-daemon", {"--session", "--nofork", "--nopidfile",
                                   "--address=unix:path=" + dir_.path() + "/bus"});
            launch("pipewire", {});
            launch("wireplumber", {});
        }
        start_pulse_service();
    }

    // Kills the process that speaks the PulseAudio protocol, and starts it again.
    void kill_pulse_service() {
        QProcess* pulse = processes_.back().get();
        pulse->kill();
        pulse->waitForFinished(3000);
        processes_.pop_back();
    }

    void start_pulse_service() {
        if (kind_ == "pipewire")
            launch("pipewire-pulse", {});
        else
            launch("pulseaudio",
                   {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                    "--load=module-null-sink", "--load=module-native-protocol-unix"});
    }

    // Stops or continues every process of the server.
    void signal_all(int signal) {
        for (auto& process : processes_) ::kill(pid_t(process->processId()), signal);
    }

private:
    void launch(const QString& program, const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment_);
        process->setWorkingDirectory(dir_.path());
        process->setStandardOutputFile(dir_.path() + "/" + program + ".log", QIODevice::Append);
        process->setStandardErrorFile(dir_.path() + "/" + program + ".log", QIODevice::Append);
        process->start(program, arguments);
        process->waitForStarted(5000);
        processes_.push_back(std::move(process));
        // The session bus first takes its socket; the others find it or retry.
        if (program == "dbus-daemon" || program == "pipewire") QThread::msleep(150);
    }

    QString kind_;
    QTemporaryDir dir_;
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

// A second copy of the program: plays two cues, waiting for each, and ends as Quit does.
int second_copy() {
    for (const char* file : {"put_piece.wav", "bad.wav"})
        sound::play_sound(cue(file).toStdString(), 0);
    app::end_program();
}

} // namespace

class SoundServerTest : public QObject {
    Q_OBJECT

    QString kind = qEnvironmentVariable("VELLOX_SOUND_SERVER", "pulseaudio");
    std::unique_ptr<Server> server;
    std::unique_ptr<Monitor> monitor;
    QElapsedTimer clock;
    const std::set<QByteArray> cue_names{name_of(cue("put_piece.wav")),
                                         name_of(cue("take_two.wav")), name_of(cue("victory.wav")),
                                         name_of(cue("bad.wav"))};

    void connect_monitor() {
        monitor = std::make_unique<Monitor>(clock);
        QDeadlineTimer deadline(15000);
        while (!monitor->connect(1000)) {
            QVERIFY2(!deadline.hasExpired(), "the server did not start");
            monitor = std::make_unique<Monitor>(clock);
            QThread::msleep(100);
        }
    }

    // Plays a cue until the server has started it, as the first cue of a run may be too late
    // while the player connects; true once it has.
    bool sounds(const QString& file, int tries = 20) {
        for (int i = 0; i < tries; ++i) {
            const qint64 before = clock.elapsed();
            sound::play_sound(file.toStdString(), 0);
            QThread::msleep(50);
            if (count(monitor->events_since(before), Event::sink_input_new) > 0) return true;
            QThread::msleep(250);
        }
        return false;
    }

    // Plays a cue waiting for it; true when a call, of a few tried, returned only after its
    // whole length, the server having started the cue before it returned: its report came
    // before the answer to a request sent after the call. A cue that the server starts too late
    // on a busy machine returns early, and is tried again.
    bool waits_for_its_sound(const QString& file) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const qint64 before = clock.elapsed();
            const bool whole = timed_play(file, 0) >= length_of(file);
            monitor->samples();
            if (whole) return count(monitor->events_since(before), Event::sink_input_new) == 1;
            QThread::msleep(300);
        }
        return false;
    }

    std::unique_ptr<QProcess> start_second_copy() {
        auto copy = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELLOX_SOUND_TEST_COPY", "1");
        environment.insert("XDG_RUNTIME_DIR", server->runtime_dir());
        environment.insert("HOME", server->runtime_dir());
        copy->setProcessEnvironment(environment);
        copy->start(QCoreApplication::applicationFilePath(), {});
        return copy;
    }

    static int exit_code(QProcess& copy) {
        if (!copy.waitForFinished(20000)) return -1;
        return copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -1;
    }

private slots:
    void initTestCase() {
        clock.start();
        server = std::make_unique<Server>(kind);
        if (const QString program = server->missing(); !program.isEmpty())
            QSKIP(qPrintable(program + " is not installed"));
        // The program finds the server where the desktop would put it.
        qputenv("XDG_RUNTIME_DIR", server->runtime_dir().toUtf8());
        qputenv("HOME", server->runtime_dir().toUtf8());
        qunsetenv("PULSE_SERVER");
        qunsetenv("DISPLAY");
        server->start();
        connect_monitor();
        for (const char* file : {"put_piece.wav", "take_two.wav", "victory.wav", "bad.wav"})
            QVERIFY2(sounds(cue(file)), file);
    }

    // Each sound went up once, under its shared name, and plays again from the cache.
    void eachSoundIsUploadedOnceAndPlaysFromTheCache() {
        QCOMPARE(monitor->samples(), cue_names);
        const qint64 before = clock.elapsed();
        for (int i = 0; i < 3; ++i)
            for (const char* file : {"put_piece.wav", "bad.wav"})
                sound::play_sound(cue(file).toStdString(), 0);
        // On a busy machine a cue may start too late and be dropped; most play.
        QTRY_VERIFY(count(monitor->events_since(before), Event::sink_input_new) >= 3);
        QThread::msleep(300);
        const auto events = monitor->events_since(before);
        QCOMPARE(count(events, Event::sample_new) + count(events, Event::sample_changed), 0);
        QCOMPARE(monitor->samples(), cue_names);
    }

    // A waiting cue returns once its sound has sounded, a background one at once; a cue cuts
    // off the one playing before it starts.
    void aWaitingCueEndsWithItsSoundAndACueCutsOffTheOneBefore() {
        const qint64 victory = length_of(cue("victory.wav"));
        QVERIFY(waits_for_its_sound(cue("victory.wav")));
        QVERIFY(timed_play(cue("victory.wav"), 1) < victory / 2);
        QVERIFY(timed_play(cue("bad.wav"), 1) < victory / 2);
        bool cut_off = false;
        for (int attempt = 0; attempt < 3 && !cut_off; ++attempt) {
            QThread::msleep(300);
            const qint64 before = clock.elapsed();
            sound::play_sound(cue("victory.wav").toStdString(), 1);
            QThread::msleep(200);
            sound::play_sound(cue("put_piece.wav").toStdString(), 1);
            QThread::msleep(300);
            monitor->samples();
            // The victory cue went before the next started, long before its own end.
            std::vector<Event> events = monitor->events_since(before);
            std::erase_if(events, [](const Event& e) { return e.what > Event::sink_input_gone; });
            if (count(events, Event::sink_input_new) != 2) continue;
            const auto started = std::find_if(events.begin(), events.end(), [](const Event& e) {
                return e.what == Event::sink_input_new;
            });
            const auto stopped = std::find_if(started, events.end(), [&](const Event& e) {
                return e.what == Event::sink_input_gone && e.index == started->index;
            });
            const auto next = std::find_if(started + 1, events.end(), [](const Event& e) {
                return e.what == Event::sink_input_new;
            });
            QVERIFY(stopped != events.end() && stopped < next);
            QVERIFY(stopped->at_ms - started->at_ms < victory / 2);
            cut_off = true;
        }
        QVERIFY(cut_off);
    }

    // Someone else took the sample out: the cue's own sound goes up again and plays, not the
    // alert.
    void aSampleTakenOutIsUploadedAgain() {
        const QByteArray take_two = name_of(cue("take_two.wav"));
        QVERIFY(monitor->remove_sample(take_two));
        QVERIFY(!monitor->samples().count(take_two));
        QVERIFY(sounds(cue("take_two.wav")));
        QCOMPARE(monitor->samples(), cue_names);
        QCOMPARE(sound::last_source(), QUrl::fromLocalFile(cue("take_two.wav")));
    }

    // A second copy shares the samples and uploads nothing; its exit takes nothing away, and
    // neither do ten more starts and exits.
    void copiesShareTheSamplesAndExitsLeaveNoMore() {
        const qint64 before = clock.elapsed();
        const auto copy = start_second_copy();
        for (int i = 0; i < 4; ++i) {
            sound::play_sound(cue("take_two.wav").toStdString(), 1);
            QThread::msleep(100);
        }
        QCOMPARE(exit_code(*copy), 0);
        monitor->samples();
        QVERIFY(count(monitor->events_since(before), Event::sink_input_new) >= 2);
        QCOMPARE(count(monitor->events_since(before), Event::sample_new), 0);
        for (int run = 0; run < 10; ++run) QCOMPARE(exit_code(*start_second_copy()), 0);
        QCOMPARE(monitor->samples(), cue_names);
        const qint64 after = clock.elapsed();
        QVERIFY(sounds(cue("bad.wav")));
        QCOMPARE(count(monitor->events_since(after), Event::sample_new), 0);
    }

    // Frozen, the server holds a waiting cue no longer than its length and the margin, and
    // goes on without a burst of old cues: the one request that was out is stopped as soon as
    // it is answered, and the next cue plays at once.
    void aFrozenServerGoesOnWithoutOldCues() {
        const qint64 bad = length_of(cue("bad.wav"));
        // Nothing of the cues before is still sounding.
        QThread::msleep(1200);
        server->signal_all(SIGSTOP);
        // Goes on also after a failed check, for the checks after this one.
        const std::shared_ptr<void> go_on(nullptr, [this](void*) { server->signal_all(SIGCONT); });
        const qint64 frozen = clock.elapsed();
        sound::play_sound(cue("victory.wav").toStdString(), 1);
        qint64 longest_hold = 0;
        for (int i = 0; i < 3; ++i)
            longest_hold = std::max(longest_hold, timed_play(cue("bad.wav"), 0));
        for (int i = 0; i < 10; ++i) {
            sound::play_sound(cue(i % 2 ? "take_two.wav" : "put_piece.wav").toStdString(), 1);
            QThread::msleep(100);
        }
        // The last cue's start has passed too.
        QThread::msleep(300);
        server->signal_all(SIGCONT);
        QThread::msleep(1000);
        const auto events = monitor->events_since(frozen);
        const int started = count(events, Event::sink_input_new);
        QVERIFY2(started <= 1, qPrintable(QString::number(started)));
        // Stopped as soon as it was answered, not when its second of sound had ended.
        for (const Event& e : events) {
            if (e.what != Event::sink_input_new) continue;
            const auto gone = std::find_if(events.begin(), events.end(), [&](const Event& g) {
                return g.what == Event::sink_input_gone && g.index == e.index;
            });
            QVERIFY(gone != events.end());
            QVERIFY(gone->at_ms - e.at_ms < length_of(cue("victory.wav")) / 2);
        }
        QVERIFY(sounds(cue("put_piece.wav"), 3));
        QCOMPARE(most_at_once(monitor->events_since(frozen)), 1);
        // Generous for a busy machine, and still well short of a wait behind a blocked request.
        QVERIFY2(longest_hold <= bad + 50 + 100, qPrintable(QString::number(longest_hold)));
    }

    // Killed, the server costs a waiting cue no more than its length; started again, it has
    // the cues back within a few seconds, and their samples uploaded again.
    void aServerKilledAndStartedAgainHasTheCuesBack() {
        const qint64 bad = length_of(cue("bad.wav"));
        server->kill_pulse_service();
        const qint64 held = timed_play(cue("bad.wav"), 0);
        QVERIFY2(held <= bad + 50 + 100, qPrintable(QString::number(held)));
        server->start_pulse_service();
        connect_monitor();
        QVERIFY(sounds(cue("take_two.wav")));
        QCOMPARE(monitor->samples(), std::set<QByteArray>{name_of(cue("take_two.wav"))});
    }

    void cleanupTestCase() {
        monitor.reset();
        server.reset();
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("VELLOX_SOUND_TEST_COPY")) return second_copy();
    SoundServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sound_server_test.moc"
