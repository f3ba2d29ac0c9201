#include "TestContext.h"

namespace mv::test {

QString testDataPath(const QString &name)
{
    QString dir = qEnvironmentVariable("MEMVAULT_TEST_DATA");
    if (dir.isEmpty())
        dir = QStringLiteral(MEMVAULT_SOURCE_DIR "/tests/data");
    return dir + "/" + name;
}

}  // namespace mv::test
