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

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace {

QString cue(const char* file) { return QStringLiteral(VELLOX_MEDIA_DIR "/") + file; }

sound::Wav wav_of(const char* file) { return sound::read_wav(cue(file)).value_or(sound::Wav()); }

QByteArray name_of(const char* file) { return sound::sample_name(wav_of(file)); }

// The flags of play_sound.
constexpr int waiting = 0, background = 1;

// Plays a cue and tells how many milliseconds the call took.
qint64 play(const char* file, int flags) {
    QElapsedTimer clock;
    clock.start();
    sound::play_sound(cue(file).toStdString(), flags);
    return clock.elapsed();
}

// What the server reported, as the test's connection received it.
struct Event {
    int what;
    uint32_t index;
    qint64 at_ms;
};

constexpr int started = PA_SUBSCRIPTION_EVENT_SINK_INPUT | PA_SUBSCRIPTION_EVENT_NEW;
constexpr int stopped = PA_SUBSCRIPTION_EVENT_SINK_INPUT | PA_SUBSCRIPTION_EVENT_REMOVE;
constexpr int uploaded = PA_SUBSCRIPTION_EVENT_SAMPLE_CACHE | PA_SUBSCRIPTION_EVENT_NEW;

// The test's own connection to the server: it records the reports on sink inputs and cached
// samples, and lists and removes samples.
class Monitor {
public:
    explicit Monitor(const QElapsedTimer& clock)
        : clock_(clock), loop_(pa_threaded_mainloop_new()) {
        pa_threaded_mainloop_start(loop_);
    }

    ~Monitor() {
        drop_context();
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    // Connects and subscribes, trying again while the server is starting; false when it does not
    // let the test in within a few seconds.
    bool connect() {
        for (QDeadlineTimer deadline(15000); !deadline.hasExpired(); QThread::msleep(100)) {
            drop_context();
            pa_threaded_mainloop_lock(loop_);
            context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "sound_server_test");
            pa_context_set_subscribe_callback(context_, &Monitor::reported, this);
            pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
            pa_threaded_mainloop_unlock(loop_);
            const auto state = [this] { return pa_context_get_state(context_); };
            until(1000,
                  [&] { return state() == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state()); });
            if (state() != PA_CONTEXT_READY) continue;
            const auto mask = pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK_INPUT |
                                                     PA_SUBSCRIPTION_MASK_SAMPLE_CACHE);
            return done([&] { return pa_context_subscribe(context_, mask, nullptr, nullptr); });
        }
        return false;
    }

    // The reports received since the given time, after a round trip to the server, so that all
    // it reported before it answered are in.
    std::vector<Event> events_since(qint64 ms) {
        samples();
        QMutexLocker lock(&mutex_);
        std::vector<Event> since;
        std::copy_if(events_.begin(), events_.end(), std::back_inserter(since),
                     [ms](const Event& e) { return e.at_ms >= ms; });
        return since;
    }

    // The names of the samples in the server's cache.
    std::set<QByteArray> samples() {
        std::set<QByteArray> names;
        const auto add = [](pa_context*, const pa_sample_info* info, int, void* names) {
            if (info) static_cast<std::set<QByteArray>*>(names)->insert(info->name);
        };
        done([&] { return pa_context_get_sample_info_list(context_, add, &names); });
        return names;
    }

    bool remove_sample(const QByteArray& name) {
        return done(
            [&] { return pa_context_remove_sample(context_, name.constData(), nullptr, nullptr); });
    }

private:
    static void reported(pa_context*, pa_subscription_event_type_t type, uint32_t index,
                         void* data) {
        auto* monitor = static_cast<Monitor*>(data);
        // A sample uploaded over one of the same name is uploaded all the same.
        const int what = type == (PA_SUBSCRIPTION_EVENT_SAMPLE_CACHE | PA_SUBSCRIPTION_EVENT_CHANGE)
                             ? uploaded
                             : type;
        QMutexLocker lock(&monitor->mutex_);
        monitor->events_.push_back({what, index, monitor->clock_.elapsed()});
    }

    void drop_context() {
        pa_threaded_mainloop_lock(loop_);
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
        pa_threaded_mainloop_unlock(loop_);
    }

    // Sends a request, waits for it to end, a few seconds at most, and lets go of it.
    bool done(const std::function<pa_operation*()>& request) {
        pa_threaded_mainloop_lock(loop_);
        pa_operation* operation = request();
        pa_threaded_mainloop_unlock(loop_);
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
        for (QDeadlineTimer deadline(timeout_ms);; QThread::msleep(5)) {
            pa_threaded_mainloop_lock(loop_);
            const bool now = ended();
            pa_threaded_mainloop_unlock(loop_);
            if (now) return true;
            if (deadline.hasExpired()) return false;
        }
    }

    const QElapsedTimer& clock_;
    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    QMutex mutex_;
    std::vector<Event> events_;
};

int count(const std::vector<Event>& events, int what) {
    return int(std::count_if(events.begin(), events.end(),
                             [what](const Event& e) { return e.what == what; }));
}

// The most sink inputs alive at once, from their reports in the server's order.
int most_at_once(const std::vector<Event>& events) {
    std::set<uint32_t> alive;
    size_t most = 0;
    for (const Event& e : events) {
        if (e.what == started) alive.insert(e.index);
        if (e.what == stopped) alive.erase(e.index);
        most = std::max(most, alive.size());
    }
    return int(most);
}

// How long the first sink input started among the events sounded, or -1 while it still does.
qint64 first_lifetime(const std::vector<Event>& events) {
    const auto first = std::find_if(events.begin(), events.end(),
                                    [](const Event& e) { return e.what == started; });
    for (auto e = first; e != events.end(); ++e)
        if (e->what == stopped && e->index == first->index) return e->at_ms - first->at_ms;
    return -1;
}

// A private server: PulseAudio alone, or PipeWire with its session manager and PulseAudio
// service on a D-Bus session bus of their own, with a null sink either way. The program, and
// every copy of it started after, finds it where the desktop would put it.
class Server {
public:
    explicit Server(QString kind) : kind_(std::move(kind)) {
        qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
        qputenv("HOME", dir_.path().toUtf8());
        qunsetenv("PULSE_SERVER");
        qunsetenv("DISPLAY");
        environment_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"PULSE_COOKIE", "WAYLAND_DISPLAY", "PIPEWIRE_REMOTE"})
            environment_.remove(QLatin1String(name));
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
        signal_all(SIGCONT);
        while (!processes_.empty()) kill_last();
    }

    // Starts the server; the program it needs that is not installed, if any, and then nothing.
    QString start() {
        const QStringList programs =
            kind_ == "pipewire"
                ? QStringList{"dbus-daemon", "pipewire", "wireplumber", "pipewire-pulse"}
                : QStringList{"pulseaudio"};
        for (const QString& program : programs)
            if (QStandardPaths::findExecutable(program).isEmpty()) return program;
        if (kind_ == "pipewire") {
            launch("dbus-daemon", {"--session", "--nofork", "--nopidfile",
                                   "--address=unix:path=" + dir_.path() + "/bus"});
            launch("pipewire", {});
            launch("wireplumber", {});
        }
        start_pulse_service();
        return {};
    }

    // Kills the process started last: the one that speaks the PulseAudio protocol, once all are.
    void kill_last() {
        processes_.back()->kill();
        processes_.back()->waitForFinished(3000);
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
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(dir_.path() + "/" + program + ".log", QIODevice::Append);
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
    for (const char* file : {"put_piece.wav", "bad.wav"}) play(file, waiting);
    app::end_program();
}

} // namespace

class SoundServerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Server> server;
    std::unique_ptr<Monitor> monitor;
    QElapsedTimer clock;
    const std::set<QByteArray> cue_names{name_of("put_piece.wav"), name_of("take_two.wav"),
                                         name_of("victory.wav"), name_of("bad.wav")};
    const qint64 victory = wav_of("victory.wav").length_ms;
    // The longest a refused move may hold the window: its sound, the margin, and slack for a
    // busy machine, still well short of a wait behind a blocked request.
    const qint64 longest_bad_hold = wav_of("bad.wav").length_ms + 50 + 100;

    // Plays a cue until the server has started it, as the first cue of a run may be too late
    // while the player connects; true once it has.
    bool sounds(const char* file, int tries = 20) {
        for (int i = 0; i < tries; ++i) {
            const qint64 before = clock.elapsed();
            play(file, waiting);
            QThread::msleep(50);
            if (count(monitor->events_since(before), started) > 0) return true;
            QThread::msleep(250);
        }
        return false;
    }

    // Plays a cue waiting for it; true when a call, of a few tried, returned only after its
    // whole length, the server having started the cue before it returned: its report came
    // before the answer to a request sent after the call. A cue that the server starts too late
    // on a busy machine returns early, and is tried again.
    bool waits_for_its_sound(const char* file) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const qint64 before = clock.elapsed();
            if (play(file, waiting) >= wav_of(file).length_ms)
                return count(monitor->events_since(before), started) == 1;
            QThread::msleep(300);
        }
        return false;
    }

private slots:
    void initTestCase() {
        clock.start();
        server =
            std::make_unique<Server>(qEnvironmentVariable("VELLOX_SOUND_SERVER", "pulseaudio"));
        if (const QString program = server->start(); !program.isEmpty())
            QSKIP(qPrintable(program + " is not installed"));
        monitor = std::make_unique<Monitor>(clock);
        QVERIFY2(monitor->connect(), "the server did not start");
        for (const char* file : {"put_piece.wav", "take_two.wav", "victory.wav", "bad.wav"})
            QVERIFY2(sounds(file), file);
    }

    // Each sound went up once, under its shared name, and plays again from the cache; one taken
    // out goes up again.
    void eachSoundIsUploadedOnceAndPlaysFromTheCacheOrAgainWhenTakenOut() {
        QCOMPARE(monitor->samples(), cue_names);
        const qint64 before = clock.elapsed();
        for (int i = 0; i < 3; ++i)
            for (const char* file : {"put_piece.wav", "bad.wav"}) play(file, waiting);
        // On a busy machine a cue may start too late and be dropped; most play.
        QTRY_VERIFY(count(monitor->events_since(before), started) >= 3);
        QThread::msleep(300);
        QCOMPARE(count(monitor->events_since(before), uploaded), 0);
        // Someone else took a sample out: the cue's own sound goes up again and plays, not the
        // alert.
        QVERIFY(monitor->remove_sample(name_of("take_two.wav")));
        QVERIFY(!monitor->samples().count(name_of("take_two.wav")));
        QVERIFY(sounds("take_two.wav"));
        QCOMPARE(monitor->samples(), cue_names);
        QCOMPARE(sound::last_source(), QUrl::fromLocalFile(cue("take_two.wav")));
    }

    // A waiting cue returns once its sound has sounded, a background one at once; a cue cuts
    // off the one playing before it starts.
    void aWaitingCueEndsWithItsSoundAndACueCutsOffTheOneBefore() {
        QVERIFY(waits_for_its_sound("victory.wav"));
        QVERIFY(play("victory.wav", background) < victory / 2);
        QVERIFY(play("bad.wav", background) < victory / 2);
        for (int attempt = 0; attempt < 3; ++attempt) {
            QThread::msleep(300);
            const qint64 before = clock.elapsed();
            play("victory.wav", background);
            QThread::msleep(200);
            play("put_piece.wav", background);
            QThread::msleep(300);
            // The victory cue went before the next started, long before its own end.
            const auto events = monitor->events_since(before);
            if (count(events, started) != 2) continue;
            QCOMPARE(most_at_once(events), 1);
            QVERIFY(first_lifetime(events) < victory / 2);
            return;
        }
        QFAIL("no two cues started one after the other");
    }

    // A second copy shares the samples and uploads nothing; its exit takes nothing away, and
    // neither do ten more starts and exits.
    void copiesShareTheSamplesAndExitsLeaveNoMore() {
        const qint64 before = clock.elapsed();
        const QString program = QCoreApplication::applicationFilePath();
        QProcess copy;
        copy.start(program, {"--second-copy"});
        for (int i = 0; i < 4; ++i, QThread::msleep(100)) play("take_two.wav", background);
        QVERIFY(copy.waitForFinished(20000));
        QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy.exitCode(), 0);
        QVERIFY(count(monitor->events_since(before), started) >= 2);
        // A crash is -1, and a copy that does not start -2.
        for (int run = 0; run < 10; ++run)
            QCOMPARE(QProcess::execute(program, {"--second-copy"}), 0);
        QCOMPARE(monitor->samples(), cue_names);
        QVERIFY(sounds("bad.wav"));
        QCOMPARE(count(monitor->events_since(before), uploaded), 0);
    }

    // Frozen, the server holds a waiting cue no longer than its length and the margin, and
    // goes on without a burst of old cues: the one request that was out is stopped as soon as
    // it is answered, and the next cue plays at once.
    void aFrozenServerGoesOnWithoutOldCues() {
        // Nothing of the cues before is still sounding.
        QThread::msleep(1200);
        server->signal_all(SIGSTOP);
        // Goes on also after a failed check, for the checks after this one.
        const std::shared_ptr<void> go_on(nullptr, [this](void*) { server->signal_all(SIGCONT); });
        const qint64 frozen = clock.elapsed();
        play("victory.wav", background);
        qint64 longest_hold = 0;
        for (int i = 0; i < 3; ++i) longest_hold = std::max(longest_hold, play("bad.wav", waiting));
        for (int i = 0; i < 10; ++i, QThread::msleep(100))
            play(i % 2 ? "take_two.wav" : "put_piece.wav", background);
        // The last cue's start has passed too.
        QThread::msleep(300);
        server->signal_all(SIGCONT);
        QThread::msleep(1000);
        // One cue at most, stopped as soon as it was answered, not when its sound had ended.
        const auto events = monitor->events_since(frozen);
        const int starts = count(events, started);
        const qint64 lifetime = first_lifetime(events);
        QVERIFY2(starts == 0 || (starts == 1 && lifetime >= 0 && lifetime < victory / 2),
                 qPrintable(QString("%1 started, the first for %2 ms").arg(starts).arg(lifetime)));
        QVERIFY(sounds("put_piece.wav", 3));
        QCOMPARE(most_at_once(monitor->events_since(frozen)), 1);
        QVERIFY2(longest_hold <= longest_bad_hold, qPrintable(QString::number(longest_hold)));
    }

    // Killed, the server costs a waiting cue no more than its length; started again, it has
    // the cues back within a few seconds, and their samples uploaded again.
    void aServerKilledAndStartedAgainHasTheCuesBack() {
        server->kill_last();
        const qint64 held = play("bad.wav", waiting);
        QVERIFY2(held <= longest_bad_hold, qPrintable(QString::number(held)));
        server->start_pulse_service();
        monitor = std::make_unique<Monitor>(clock);
        QVERIFY2(monitor->connect(), "the server did not start");
        QVERIFY(sounds("take_two.wav"));
        QCOMPARE(monitor->samples(), std::set<QByteArray>{name_of("take_two.wav")});
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (application.arguments().contains("--second-copy")) return second_copy();
    SoundServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sound_server_test.moc"
