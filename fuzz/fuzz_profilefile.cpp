// The settings and menu files' reader: any bytes load; what a file holds
// reads the same after it is written back; a value set reads back.
#include "fuzzcheck.h"

#include "core/profilefile.h"

#include <QByteArray>

using namespace Qt::Literals::StringLiterals;

using quoll::ProfileFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ProfileFile file = ProfileFile::fromBytes(bytes);
    const QStringList sections = file.sections();
    const ProfileFile again = ProfileFile::fromBytes(file.toBytes());
    FUZZ_CHECK(again.sections() == sections);
    int looked = 0;
    for (const QString &section : sections) {
        for (const QString &key : file.keys(section)) {
            FUZZ_CHECK(again.value(section, key) == file.value(section, key));
            FUZZ_CHECK(file.value(section, key).value_or(QString()).size() <= ProfileFile::MaxValue);
            if (++looked > 200)
                break;
        }
    }
    file.setValue(u"Quoll Fuzz"_s, u"Key"_s, u"value 1"_s);
    FUZZ_CHECK(file.value(u"quoll fuzz"_s, u"key"_s) == u"value 1"_s);
    file.setInteger(u"Quoll Fuzz"_s, u"Number"_s, -42);
    FUZZ_CHECK(ProfileFile::fromBytes(file.toBytes()).integer(u"Quoll Fuzz"_s, u"Number"_s, 0) == -42);
    return 0;
}
