// The generated cues, the WAV length reader and platform::play_sound on Qt Multimedia. Passes
// with or without a sound server: the tests look at what the player chose, not at what was heard.
#include "settings/qt/sound_qt.h"
#include "settings/system_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

const QString media_dir = QStringLiteral(VELLOX_MEDIA_DIR);

QByteArray le16(int value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(value), bytes.data());
    return bytes;
}

QByteArray le32(qint64 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(value), bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    return id + le32(body.size()) + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray fmt_chunk(int tag, int rate, int bits) {
    return chunk("fmt ", le16(tag) + le16(1) + le32(rate) + le32(rate * bits / 8) + le16(bits / 8) +
                             le16(bits));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks;
}

// One second of a quiet 8 kHz 16-bit tone, with another chunk before the data to be skipped.
QByteArray one_second() {
    QByteArray samples;
    for (int i = 0; i < 8000; ++i) samples += le16(i % 16 < 8 ? 1000 : -1000);
    return riff(fmt_chunk(1, 8000, 16) + chunk("LIST", "INFOab") + chunk("data", samples));
}

struct Cue {
    int rate = 0, channels = 0, bits = 0, tag = 0;
    QByteArray data;
};

// An independent reader for the canonical layout that make_cues writes.
Cue read_cue(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = in.readAll();
    if (all.size() < 44 || !all.startsWith("RIFF") || all.mid(8, 8) != "WAVEfmt ") return {};
    const char* p = all.constData();
    Cue cue{static_cast<int>(qFromLittleEndian<quint32>(p + 24)),
            qFromLittleEndian<quint16>(p + 22),
            qFromLittleEndian<quint16>(p + 34),
            qFromLittleEndian<quint16>(p + 20),
            {}};
    if (all.mid(36, 4) == "data") cue.data = all.mid(44, qFromLittleEndian<quint32>(p + 40));
    return cue;
}

int sample(const QByteArray& data, qsizetype index) {
    return qFromLittleEndian<qint16>(data.constData() + 2 * index);
}

QString write_file(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile out(dir.filePath(name));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return {};
    return out.fileName();
}

std::string cue_path(const char* name) { return (media_dir + '/' + name).toStdString(); }

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void generated_cues_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("shortest_ms");
        QTest::addColumn<int>("longest_ms");
        QTest::newRow("put_piece") << media_dir + "/put_piece.wav" << 70 << 100;
        QTest::newRow("take_two") << media_dir + "/take_two.wav" << 250 << 350;
        QTest::newRow("victory") << media_dir + "/victory.wav" << 800 << 1200;
        QTest::newRow("bad") << media_dir + "/bad.wav" << 150 << 250;
        // Read from the program's resources, which also shows that they are linked in.
        QTest::newRow("alert") << sound::alert_file() << 250 << 350;
    }

    void generated_cues() {
        QFETCH(QString, file);
        QFETCH(int, shortest_ms);
        QFETCH(int, longest_ms);
        const Cue cue = read_cue(file);
        QCOMPARE(cue.tag, 1);
        QCOMPARE(cue.rate, 44100);
        QCOMPARE(cue.channels, 1);
        QCOMPARE(cue.bits, 16);
        const qsizetype count = cue.data.size() / 2;
        const qint64 ms = count * 1000 / 44100;
        QVERIFY2(ms >= shortest_ms && ms <= longest_ms, qPrintable(QString::number(ms)));
        QCOMPARE(sound::wav_length_ms(file), std::optional<qint64>((count * 1000 + 44099) / 44100));

        int peak = 0;
        for (qsizetype i = 0; i < count; ++i) peak = std::max(peak, std::abs(sample(cue.data, i)));
        // Around -6 dBFS, well clear of clipping.
        QVERIFY2(peak > 13000 && peak < 20000, qPrintable(QString::number(peak)));
        // Silent at both ends, so that starting and cutting off do not click.
        QVERIFY(std::abs(sample(cue.data, 0)) < 100);
        QVERIFY(std::abs(sample(cue.data, count - 1)) < 100);
    }

    void wav_length_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("expected"); // -1: not a sound
        const QByteArray good = one_second();
        const qsizetype data_start = good.indexOf("data") + 8;
        QTest::newRow("good") << write_file(dir, "good.wav", good) << qint64(1000);
        QTest::newRow("data cut in half")
            << write_file(dir, "half.wav", good.left(data_start + 8000)) << qint64(-1);
        QTest::newRow("header cut") << write_file(dir, "cut.wav", good.left(30)) << qint64(-1);
        QTest::newRow("garbage") << write_file(dir, "junk.wav", QByteArray(300, 'x')) << qint64(-1);
        QTest::newRow("missing") << dir.filePath("none.wav") << qint64(-1);
    }

    void wav_length() {
        QFETCH(QString, file);
        QFETCH(qint64, expected);
        const std::optional<qint64> length = sound::wav_length_ms(file);
        if (expected < 0)
            QVERIFY(!length);
        else
            QCOMPARE(length, std::optional<qint64>(expected));
    }

    void source_chosen_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QUrl>("expected");
        QDir(dir.path()).mkdir("sub");
        const QString nested = write_file(dir, "sub/nested.wav", one_second());
        const QUrl alert = sound::alert_url();
        QTest::newRow("cue") << media_dir + "/put_piece.wav"
                             << QUrl::fromLocalFile(media_dir + "/put_piece.wav");
        QTest::newRow("backslash")
            << dir.path() + "/sub\\nested.wav" << QUrl::fromLocalFile(nested);
        QTest::newRow("missing") << dir.filePath("none.wav") << alert;
        QTest::newRow("no name") << dir.path() + "/ " << alert;
        QTest::newRow("directory") << dir.path() << alert;
        QTest::newRow("garbage") << write_file(dir, "junk.wav", QByteArray(300, 'x')) << alert;
        // Well-formed WAVs in encodings that the sound effect cannot decode: status Error.
        QByteArray mp3 = riff(fmt_chunk(0x55, 8000, 16) + chunk("data", QByteArray(16000, 'x')));
        QTest::newRow("compressed") << write_file(dir, "mp3.wav", mp3) << alert;
    }

    void source_chosen() {
        QFETCH(QString, path);
        QFETCH(QUrl, expected);
        platform::play_sound(path.toStdString(), 0);
        QCOMPARE(sound::last_source(), expected);
    }

    // Also in the background, where the call returns at once.
    void waiting_play_runs_no_window_event() {
        bool timer_ran = false;
        QTimer::singleShot(0, this, [&] { timer_ran = true; });
        platform::play_sound(cue_path("take_two.wav"), 0);
        platform::play_sound(cue_path("victory.wav"), 1);
        QVERIFY(!timer_ran);
        // The event was real and still waiting.
        QTRY_VERIFY(timer_ran);
    }

    void rapid_background_plays_cut_each_other_off() {
        const char* names[] = {"put_piece.wav", "take_two.wav", "bad.wav", "none.wav",
                               "victory.wav"};
        for (int i = 0; i < 200; ++i) platform::play_sound(cue_path(names[i % 5]), 1);
        platform::play_sound(cue_path("bad.wav"), 0);
        QTRY_COMPARE(sound::last_source(), QUrl::fromLocalFile(media_dir + "/bad.wav"));
    }
};

QTEST_MAIN(SoundTest)
#include "sound_test.moc"
