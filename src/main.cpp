// The lumarc executable: with a subcommand it runs headless on the command line.

#include "cli/commandline.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Lumarc"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumarc"));
    return lumarc::cli::run(QCoreApplication::arguments());
}
