#pragma once

// The dialog in which the user sets the look and the output of the gallery. It has no OK
// and no Cancel: its controls hold the newest values, and getValues() copies them into a
// settings record whenever the window needs the record (before a save, a check or a build)
// and when the dialog closes. The main window creates it on first use and keeps it, calls
// setValues() whenever the record changes elsewhere (a load, a new project, the verifier)
// and writes default.zem when it reports that it closed.

#include "model/gallerysettings.h"

#include <QDialog>
#include <QFont>
#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace lumarc::gui {

class ColourButton;
class HexaColorDialog;
class NumericBox;

class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // The platform dialogs the settings dialog opens, replaceable so that tests answer them.
    struct Pickers {
        // The chosen font, or nullopt when the dialog was closed without a choice.
        std::function<std::optional<QFont>(const QFont &initial, QWidget *parent)> font;
        std::function<QString(QWidget *parent, const QString &title, const QString &start)> folder;
        std::function<QString(QWidget *parent, const QString &title, const QString &start, const QString &filter)>
            openFile;
        std::function<QString(QWidget *parent, const QString &title, const QString &start, const QString &filter)>
            saveFile;
        // The RGB colour dialog; the default opens the one instance this dialog keeps.
        std::function<bool(const QString &caption, qint32 &colour, const QPoint &topLeft)> colour;
    };

    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Record to controls. The record's fields that no control edits are kept and come back
    // out of getValues() unchanged.
    void setValues(const GallerySettings &settings);
    // Controls to record: the record last shown, with every edited field taken from its control.
    GallerySettings getValues() const;

    // Where "Load settings..." and "Save settings as..." start, and where images were last
    // added from (the start of the background image pickers).
    void setDataFolder(const QString &folder) { m_dataFolder = folder; }
    void setSourceFolder(const QString &folder) { m_sourceFolder = folder; }
    // The caption names the open project's file.
    void setProjectPath(const QString &path);
    // The folder a relative destination lies in; its tooltip shows where a gallery goes.
    void setRelativeBase(const QString &folder);
    // What "Language..." runs: the main window's language command.
    void setLanguageCommand(std::function<void()> command) { m_languageCommand = std::move(command); }

    Pickers &pickers() { return m_pickers; }

    // The controls, by the field they edit, for the tests and the layout.
    NumericBox *numericBox(const QString &field) const;
    ColourButton *colourButton(const QString &field, int index = 0) const;
    QLineEdit *textBox(const QString &field) const;
    QCheckBox *checkBox(const QString &field) const;
    QComboBox *alignBox() const { return m_alignBox; }
    QLabel *thumbnailTitlePreview() const { return m_thumbTitlePreview; }
    QLabel *pageTitlePreview() const { return m_pageTitlePreview; }
    QTabWidget *tabs() const { return m_tabs; }

public Q_SLOTS:
    void restoreDefaults();
    void loadSettings();
    void saveSettingsAs();
    void chooseThumbnailTitleFont();
    void choosePageTitleFont();
    void chooseDestinationFolder();
    void choosePageBackgroundImage();
    void chooseCellBackgroundImage();
    void retranslate();

Q_SIGNALS:
    // The dialog closed (by Exit, the close box or Escape); getValues() holds its values.
    void closed();

protected:
    void done(int result) override;
    void changeEvent(QEvent *event) override;

private:
    void refreshFolderTip();
    NumericBox *addNumericBox(const QString &field, double minimum, double maximum, double step);
    ColourButton *addColourButton(const QString &field);
    QLineEdit *addTextBox(const QString &field);
    QCheckBox *addCheckBox(const QString &field);
    QWidget *buildSettingsTab();
    QWidget *buildHelpTab();
    void editColour(ColourButton *button);
    void keepCellAtLeastThumbnail(int dimension);
    void refreshPreviews();
    void pickFont(QLabel *preview, NumericBox *sizeBox, QString &fontName);
    void chooseBackgroundImage(int which);

    GallerySettings m_record;
    QString m_titleFontName;
    QString m_galleryTitleFontName;
    QSet<QString> m_unreadColours;  // colour fields kept as written (see setValues())
    QString m_dataFolder;
    QString m_sourceFolder;
    QString m_projectPath;
    QString m_relativeBase;
    std::function<void()> m_languageCommand;
    Pickers m_pickers;
    HexaColorDialog *m_colourDialog = nullptr;

    // The controls by field name, and the same with their fields resolved once.
    template <typename Control>
    using Bindings = QList<std::pair<const SettingsField *, Control *>>;
    Bindings<NumericBox> m_numberFields;
    Bindings<ColourButton> m_colourFields;
    Bindings<QLineEdit> m_textFields;
    Bindings<QCheckBox> m_checkFields;
    std::array<NumericBox *, 2> m_thumbSize{};  // width, height
    std::array<NumericBox *, 2> m_cellSize{};
    QHash<QString, NumericBox *> m_numbers;
    QHash<QString, ColourButton *> m_colours;
    std::array<ColourButton *, 4> m_borderColours{};
    QHash<QString, QLineEdit *> m_texts;
    QHash<QString, QCheckBox *> m_checks;
    QComboBox *m_alignBox = nullptr;
    QLabel *m_thumbTitlePreview = nullptr;
    QLabel *m_pageTitlePreview = nullptr;
    QTabWidget *m_tabs = nullptr;
    QList<QGroupBox *> m_frames;
    QList<QLabel *> m_helpLabels;
    QPushButton *m_thumbFontButton = nullptr;
    QPushButton *m_pageFontButton = nullptr;
    QToolButton *m_folderButton = nullptr;
    std::array<QToolButton *, 2> m_backgroundButtons{};
    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_loadButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_languageButton = nullptr;
    QPushButton *m_exitButton = nullptr;
};

}  // namespace lumarc::gui
