#include "cli/commandline.h"

#include "cli/commands.h"
#include "cli/console.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <new>

namespace lumarc::cli {
namespace {

const char kHelp[] = R"(Usage: lumarc COMMAND [ARGS...]
       lumarc [PROJECT.zeb]      the desktop program, opening the project when given

Lumarc turns a folder of photographs into a static web gallery.

Commands:
  build SOURCE...        make the web gallery from a project or from images and folders
  add PROJECT PATH...    add images and folders to a project
  info FILE [--json]     show a project or settings file
  set FILE FIELD=VALUE   change settings fields of a project or settings file
  export PROJECT LIST    write the image list as text (--force: over a project file)
  import LIST PROJECT    replace a project's image list by a text list
  verify PROJECT         check the project's image files and links

Options:
  -h, --help             show this help; 'lumarc COMMAND --help' shows a command's help
  --version              show the version

Example:
  lumarc build ~/Pictures/Holiday -o ~/holiday-gallery --open
)";

using Command = std::function<int(const QStringList &)>;

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table = {
        {QStringLiteral("build"), runBuild},   {QStringLiteral("add"), runAdd},
        {QStringLiteral("info"), runInfo},     {QStringLiteral("set"), runSet},
        {QStringLiteral("export"), runExport}, {QStringLiteral("import"), runImport},
        {QStringLiteral("verify"), runVerify},
    };
    return table;
}

}  // namespace

bool runsHeadless(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    const QString first = QString::fromLocal8Bit(argv[1]);
    return argc > 2 || first.startsWith(QLatin1Char('-')) || commands().count(first) > 0;
}

int run(const QStringList &arguments)
{
    if (arguments.size() < 2) {
        printErr(QString::fromUtf8(kHelp));
        return kExitUsage;
    }
    const QString &name = arguments.at(1);
    if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
        printOut(QString::fromUtf8(kHelp));
        return kExitOk;
    }
    if (name == QLatin1String("--version")) {
        printOut(QStringLiteral("lumarc " LUMARC_VERSION "\n"));
        return kExitOk;
    }
    const auto it = commands().find(name);
    if (it == commands().end())
        return usageError(QString(), QStringLiteral("unknown command '%1'").arg(name));
    // A command that runs out of memory says so in the system's words instead of aborting.
    try {
        return it->second(arguments.mid(2));
    } catch (const std::bad_alloc &) {
        printErr(QStringLiteral("lumarc: %1: %2\n").arg(name, QString::fromLocal8Bit(std::strerror(ENOMEM))));
        return kExitUsage;
    }
}

}  // namespace lumarc::cli
