// Cue files that the player refuses before the sound back end sees them, the limits around
// them, and a program that prints nothing whatever its cues and sound device do.
#include "app/qt/main_window.h"
#include "settings/qt/sound_qt.h"
#include "settings/system_platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray le(qint64 value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i) out[i] = static_cast<char>(value >> (8 * i));
    return out;
}

// A WAV whose header says encoding, channels, rate and bits and a data chunk of declared bytes;
// the file holds held bytes of sound, as many as declared by default.
QByteArray wav(int encoding, int channels, int rate, int bits, qint64 declared, qint64 held = -1) {
    const int align = channels * bits / 8;
    held = held < 0 ? declared : held;
    return "RIFF" + le(36 + held, 4) + "WAVEfmt " + le(16, 4) + le(encoding, 2) + le(channels, 2) +
           le(rate, 4) + le(qint64(rate) * align, 4) + le(align, 2) + le(bits, 2) + "data" +
           le(declared, 4) + QByteArray(held, '\x40');
}

} // namespace

class BadCuesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes, qint64 size = 0) {
        QFile out(dir.filePath(name));
        const bool written = out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
        return written && (size == 0 || out.resize(size)) ? out.fileName() : QString();
    }

private slots:
    void cues_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("length_ms"); // 0: refused, the alert plays
        const QString fifo = dir.filePath("fifo.wav");
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        QTest::newRow("fifo") << fifo << 0ll;
        QTest::newRow("8-bit, odd size") << write("ok8.wav", wav(1, 1, 8000, 8, 801)) << 101ll;
        QTest::newRow("cut in half") << write("half.wav", wav(1, 1, 8000, 16, 1600, 800)) << 0ll;
        QTest::newRow("data claims more")
            << write("lying.wav", wav(1, 1, 8000, 16, 1 << 30, 1600)) << 0ll;
        QTest::newRow("odd 16-bit data") << write("odd.wav", wav(1, 1, 8000, 16, 1601)) << 0ll;
        QTest::newRow("float") << write("float.wav", wav(3, 1, 8000, 32, 3200, 3200)) << 0ll;
        QTest::newRow("64-bit") << write("pcm64.wav", wav(1, 1, 8000, 64, 6400)) << 0ll;
        QTest::newRow("mu-law") << write("mulaw.wav", wav(7, 1, 8000, 8, 800, 800)) << 0ll;
        QTest::newRow("255 channels") << write("ch255.wav", wav(1, 255, 8000, 8, 2550)) << 0ll;
        QTest::newRow("1 Hz") << write("rate1.wav", wav(1, 1, 1, 16, 20)) << 0ll;
        QTest::newRow("10 s") << write("10s.wav", wav(1, 1, 4000, 8, 40000)) << 10000ll;
        QTest::newRow("over 10 s") << write("11s.wav", wav(1, 1, 4000, 8, 40001)) << 0ll;
        QTest::newRow("over 4 MiB")
            << write("big.wav", wav(1, 2, 192000, 16, 4 << 20, 0), (4 << 20) + 44) << 0ll;
    }

    // Refused files are played as a refused press plays them, waiting; others in the background.
    void cues() {
        QFETCH(QString, file);
        QFETCH(qint64, length_ms);
        QCOMPARE(sound::wav_length_ms(file).value_or(0), length_ms);
        platform::play_sound(file.toStdString(), length_ms ? 1 : 0);
        QTRY_COMPARE(sound::last_source(),
                     length_ms ? QUrl::fromLocalFile(file) : sound::alert_url());
    }

    // Under ctest there is no sound device, which Qt would complain of.
    void prints_nothing() {
        write("new.wav", wav(1, 1, 8000, 16, 800));
        const QtMessageHandler test_handler = qInstallMessageHandler(nullptr);
        app::keep_quiet();
        QTemporaryFile caught;
        QVERIFY(caught.open());
        std::fflush(nullptr);
        const int saved[] = {::dup(STDOUT_FILENO), ::dup(STDERR_FILENO)};
        for (int fd : {STDOUT_FILENO, STDERR_FILENO}) ::dup2(caught.handle(), fd);
        qWarning("a warning of Qt's");
        for (const char* name : {"new.wav", "fifo.wav", "mulaw.wav", "none.wav"})
            platform::play_sound(dir.filePath(name).toStdString(), 0);
        std::fflush(nullptr);
        for (int fd : {STDOUT_FILENO, STDERR_FILENO}) ::dup2(saved[fd - 1], fd);
        qInstallMessageHandler(test_handler);
        QVERIFY(caught.seek(0));
        QCOMPARE(caught.readAll(), QByteArray());
    }
};

QTEST_MAIN(BadCuesTest)
#include "bad_cues_test.moc"
