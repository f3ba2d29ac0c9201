#pragma once
// The FT-450's CAT commands, the only place their texts are written: identify,
// automatic information off, the CAT rate menu item, memory read and memory
// write. Each is one exchange over the link; what the replies mean for a
// transfer is the transfer's business.
#include "cat/CatLink.h"

#include <QString>

namespace mv {

class Ft450Commands {
public:
    explicit Ft450Commands(CatLink &link)
        : m_link(link)
    {
    }

    // "ID;": accepted only when the answer is an FT-450's identity.
    CatReply identify();
    // "AI0;": the radio stops sending on its own (no answer).
    void autoInformationOff();
    // "EX0101;".."EX0104;": the radio's CAT rate set to one of the four line
    // settings (CatLink::RateSettings). False, and nothing sent, for any other.
    bool setCatRate(const LineSettings &settings);
    // "MR" + three digits + ";": accepted only as memory n's record or "?;".
    CatReply readMemory(int n);
    // An "MW" record. The radio answers only when it refuses ("?;").
    void writeMemory(const QString &record);

    // "ID0241;" (FT-450) or "ID0244;" (FT-450D).
    static bool isIdentity(const QString &reply);
    // The first characters every record answering memory n's read begins with
    // ("MR010" for memory 10).
    static QString memoryReplyPrefix(int n);

private:
    static QString readCommand(int n);
    CatLink &m_link;
};

}  // namespace mv
