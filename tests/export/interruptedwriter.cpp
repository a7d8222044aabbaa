// A child process for the tests of interrupted writes: writes one file over
// and over, each time a new generation whose content checks itself, until
// it is killed. The writers are the program's own:
//   interruptedwriter atomic <path>   whole files through writeFileAtomically
//   interruptedwriter export <path>   an export through TextOutput, value by value
#include "core/atomicfile.h"
#include "core/error.h"
#include "export/textoutput.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace {

// Generation g: "QUOLL <g> <n>\n", n lines of the generation's pattern, then
// "END <g>\n"; a file cut anywhere fails the reader's check.
QByteArray line(qint64 generation, int i)
{
    return QByteArray::number(generation) + ':' + QByteArray::number(i) + ' ' + QByteArray(40 + i % 23, 'a' + i % 26)
           + '\n';
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    constexpr int Lines = 20000;   // about a megabyte a generation
    try {
        for (qint64 generation = 1;; ++generation) {
            const QByteArray head = "QUOLL " + QByteArray::number(generation) + ' ' + QByteArray::number(Lines) + '\n';
            const QByteArray tail = "END " + QByteArray::number(generation) + '\n';
            if (mode == "atomic") {
                QByteArray bytes = head;
                for (int i = 0; i < Lines; ++i)
                    bytes += line(generation, i);
                quoll::writeFileAtomically(path, bytes + tail);
            } else if (mode == "export") {
                quoll::exporting::TextOutput out(path);
                out.ascii(head);
                for (int i = 0; i < Lines; ++i)
                    out.text(line(generation, i));
                out.ascii(tail);
                out.commit();
            } else {
                return 2;
            }
            std::printf("%lld\n", static_cast<long long>(generation));
            std::fflush(stdout);
        }
    } catch (const quoll::Error &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 3;
    }
}
