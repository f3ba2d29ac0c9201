#pragma once
// The radio's side of the CAT line, as a model driven by time: characters the
// host writes take their wire time to arrive, a command is answered after the
// radio's turnaround, and the reply leaves one character every 11 bit times.
// The pseudo-terminal front end (ft450sim) drives it with the real clock; the
// in-process serial port of the tests drives it with a virtual one.
//
// What it serves: "ID;" -> "ID0241;" ("ID0244;" for the FT-450D), "AI0;"/"AI1;"
// (no answer), "EX0101;".."EX0104;" (CAT rate 4800/9600/19200/38400 from the
// next character on, no answer), "MRnnn;" for 001..504 (the 27-character record
// or "?;" when empty), "MW" records (stored, no answer; "?;" and nothing stored
// when malformed or outside the radio's frequency range), "?;" for anything else.
// A stored record keeps every field as it came, the clarifier (positions 14-20)
// and position 22 included.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <limits>
#include <map>

namespace ft450 {

inline constexpr int kMemoryCount = 504;
inline constexpr int kRecordLength = 27;

// What the host's end of the line is set to (all a pseudo-terminal shows).
struct HostLine {
    int baud = 0;  // 0: nobody has the port open
    bool twoStopBits = false;
    bool operator==(const HostLine &) const = default;
};

struct RadioOptions {
    int rate = 4800;  // CAT rate at start
    bool model450D = false;  // answers "ID0244;"
    int latencyMs = 10;  // turnaround between a command's last character and the reply
    bool silent = false;  // radio off: nothing is answered or done
    int dropEvery = 0;  // every n-th reply is not sent (0: none)
    bool splitReplies = false;  // a 40 ms gap in the middle of every reply
    int stopAfter = 0;  // dies after n commands: nothing more is answered or stored (0: never)
    // The first reply to "MR" of this memory, and the first refusal of an "MW"
    // to it, come lateMs late (0: none).
    int lateMemory = 0;
    int lateMs = 0;
    int switchDeafMs = 0;  // deaf for this long after a CAT rate change (characters are lost)
    bool refuseWrites = false;  // busy in its own menu: every "MW" is answered "?;", nothing stored
    bool garbage = false;  // answers with a stream of noise (no ";") until the next command
    QByteArray identity;  // reply to "ID;" instead of the model's (another radio on the line)
};

class Ft450Radio {
public:
    explicit Ft450Radio(const RadioOptions &options = {});

    RadioOptions &options() { return m_options; }
    const RadioOptions &options() const { return m_options; }
    int rate() const { return m_rate; }
    static bool isCatRate(int baud);

    // ---- memories (1..504), kept as 27-character "MR" records
    QByteArray memory(int n) const;
    // Accepts "MR" or "MW" records; returns false (and stores nothing) for a
    // record that is not a valid memory of the radio.
    bool setMemory(int n, const QByteArray &record);
    void clearMemory(int n);
    int usedCount() const { return int(m_memories.size()); }
    // A memory file: lines of 27-character records, the number in characters 3-5.
    bool loadMemoryText(const QByteArray &text, QString *error);
    bool loadMemoryFile(const QString &path, QString *error);
    // The memories as a memory file: one "MW" record per used memory, CR LF.
    QByteArray memoryFileText() const;
    bool dumpMemoryFile(const QString &path, QString *error) const;
    // True once after any memory changed.
    bool takeChanged();
    // The checks the radio makes on an "MW" command.
    static bool isValidWrite(const QByteArray &command);

    // ---- the wire; times in microseconds on the driver's clock
    // The host wrote bytes at `now` with its end of the line set to `line`.
    void hostWrote(const QByteArray &bytes, const HostLine &line, qint64 now);
    // The host changed its line settings (or closed the port): characters
    // still on their way arrive garbled.
    void hostLineChanged(const HostLine &line, qint64 now);
    // Lets everything due by `now` happen.
    void advance(qint64 now);
    // The characters that have reached the host's end by `now`; garbled when the
    // host listens at another speed.
    QByteArray takeOutput(qint64 now, const HostLine &line);
    // The next moment something happens (a character lands or leaves);
    // kNever when nothing is pending.
    qint64 nextEventTime() const;
    // When the last character the host wrote will have landed.
    qint64 inputIdleTime() const { return m_inFree; }
    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();
    // One character at `baud`, 11 bits, in microseconds.
    static qint64 charMicros(int baud);

    // ---- what happened
    std::function<void(qint64 time, const QString &line)> onTrace;
    QStringList commands;  // every complete clean command, in order
    int repliesSent = 0;
    int commandsHeard = 0;  // complete commands, answered or not
    int deafCharacters = 0;  // characters lost while deaf after a rate change
    int noiseCharacters = 0;
    int rejectedWrites = 0;

private:
    struct InChar {
        qint64 end;
        char c;
        HostLine line;
        bool garbled;
    };
    struct OutChar {
        qint64 end;
        char c;
        int rate;
    };
    struct OutReply {
        qint64 end;
        QByteArray text;
    };

    void land(const InChar &in);
    void execute(const QByteArray &command, qint64 t);
    QByteArray answer(const QByteArray &command);
    void sendReply(const QByteArray &reply, qint64 t, qint64 extraMicros = 0);
    void trace(qint64 t, const QString &line);

    RadioOptions m_options;
    int m_rate;
    std::map<int, QByteArray> m_memories;
    bool m_changed = false;
    qint64 m_deafUntil = 0;
    bool m_lateDone = false;
    bool m_lateWriteDone = false;

    std::deque<InChar> m_in;
    qint64 m_inFree = 0;
    QByteArray m_command;
    int m_noiseRun = 0;
    HostLine m_noiseLine;

    std::deque<OutChar> m_out;
    std::deque<OutReply> m_outReplies;
    qint64 m_outFree = 0;
    int m_repliesDue = 0;  // replies the radio meant to send (drop-every counts these)

    bool m_garbageOn = false;
    qint64 m_garbageNext = 0;
    unsigned m_garbageSeed = 0;
};

}  // namespace ft450
