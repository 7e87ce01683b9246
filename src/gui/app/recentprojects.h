#pragma once

// The recently used project files of the File menu, most recent first, and the two plain
// per-user values the main window keeps between runs. The main window loads the list at
// start-up, adds to it after saves and chosen loads, and saves it when it closes. Every
// function takes the settings store, so that tests use a temporary INI file.

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace lumarc::gui {

// The store the program keeps its per-user state in: organisation and application
// "Lumarc". Tests never open it.
std::unique_ptr<QSettings> openUserStore();

// "&k)", two blanks and the path, shortened to "..." plus its last folders when it is 33
// characters or longer.
QString recentMenuCaption(int slot, const QString &path);

class RecentProjects {
public:
    // The size the main window gives the list at start-up.
    static constexpr int kMaxRecent = 8;

    int maxFileCount() const { return static_cast<int>(m_slots.size()); }
    // Keeps the entries that still fit.
    void setMaxFileCount(int count);
    int fileCount() const { return m_fileCount; }

    // The path in 1-based slot `slot`; empty outside the list.
    QString file(int slot) const;
    // True when the slot holds a path; the file system is not consulted.
    bool fileExists(int slot) const { return !file(slot).isEmpty(); }
    QString menuCaption(int slot) const { return recentMenuCaption(slot, file(slot)); }

    // Puts `path` in slot 1. The same path in another letter case moves up and takes the
    // new spelling; a new path on a full list drops the last entry.
    void addFile(const QString &path);

    // Group "mru_projects": "MaxCount", "Count", then "File1" to "File<Count>". Entries
    // beyond Count left by earlier runs are neither removed nor read.
    void save(QSettings &store) const;
    // A missing group leaves the list as it is; a value that cannot be read stops the
    // loading and keeps what was read before it.
    void load(QSettings &store);

private:
    QStringList m_slots = QStringList(kMaxRecent);  // slot k at index k - 1
    int m_fileCount = 0;
};

// Group "settings", "source_folder": the folder images were last added from, or
// `dataFolder` when none is stored.
QString readSourceFolder(QSettings &store, const QString &dataFolder);
void writeSourceFolder(QSettings &store, const QString &folder);

// Group "settings", "picinrow": thumbnails per grid row, 4 when missing or not a positive
// number. The text is read as far as it forms a whole number ("5 " and "5x" give 5).
int readPicturesPerRow(QSettings &store);
void writePicturesPerRow(QSettings &store, int count);

}  // namespace lumarc::gui
