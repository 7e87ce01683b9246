#include "generator/pagewriter.h"
#include "gui/app/languagedialog.h"
#include "gui/dialogs/aboutdialog.h"
#include "gui/dialogs/inputdialog.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

// Runs `act` on the modal dialog of type T once its event loop runs; `seen` tells whether
// one was shown at all.
template <typename T>
void whenShown(std::function<void(T *)> act, bool *seen = nullptr)
{
    if (seen)
        *seen = false;
    QTimer::singleShot(0, [act, seen] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<T *>(window); dialog && dialog->isVisible()) {
                if (seen)
                    *seen = true;
                act(dialog);
                return;
            }
        }
    });
}

QPushButton *buttonNamed(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QString allLabelTexts(QWidget *dialog)
{
    QStringList texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        texts.append(label->text());
    return texts.join(u'\n');
}

QListWidgetItem *entryFor(QListWidget *list, int languageId)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toInt() == languageId)
            return list->item(row);
    }
    return nullptr;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    // Stands in for the web browser while links are clicked.
    void openedUrl(const QUrl &url) { m_opened.append(url); }

private Q_SLOTS:
    void cleanup();

    void urlAnswer_data();
    void urlAnswer();
    void urlBoxConfirmsAndLearnsTheAddress();
    void urlBoxCancelKeepsTheText();
    void textBoxReturnsTheAnswerAsTyped();
    void textBoxCancelGivesNothing();

    void aboutBoxNamesTheLibrariesItUses();
    void aboutBoxLinksOpenInTheBrowser();

    void languageDialogListsNativeNames();
    void languageDialogReturnsChoiceAndFlag();
    void languageDialogCancelKeepsBoth();
    void languageDialogNeedsASelection();
    void startupDialogFollowsTheStoredFlag();
    void unknownStoredLanguageIsStoredAsEnglish();
    void languageCommandShowsTheDialogAlways();

    void switchRetranslatesOpenDialogs();

private:
    QList<QUrl> m_opened;
};

void DialogsTest::cleanup()
{
    switchLanguage(i18n::kEnglish);
}

void DialogsTest::urlAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("urls");

    // The collection already holds http://a.example/.
    QTest::newRow("new address") << "  http://b.example/ " << true << "http://b.example/"
                                 << QStringList{"http://a.example/", "http://b.example/"};
    QTest::newRow("known address") << "http://a.example/  " << true << "http://a.example/"
                                   << QStringList{"http://a.example/"};
    QTest::newRow("blanks only") << "   " << false << "" << QStringList{"http://a.example/"};
    QTest::newRow("empty") << "" << false << "" << QStringList{"http://a.example/"};
}

void DialogsTest::urlAnswer()
{
    QFETCH(QString, answer);
    QFETCH(bool, result);
    QFETCH(QString, text);
    QFETCH(QStringList, urls);
    UrlCollection known;
    known.add(QStringLiteral("http://a.example/"));
    QString edited = QStringLiteral("before");
    QCOMPARE(takeUrlAnswer(answer, edited, known), result);
    QCOMPARE(edited, text);
    QCOMPARE(known.urls(), urls);
}

void DialogsTest::urlBoxConfirmsAndLearnsTheAddress()
{
    UrlCollection known;
    known.add(QStringLiteral("http://a.example/"));
    known.add(QStringLiteral("http://b.example/"));
    QString text = QStringLiteral("http://start.example/");
    QStringList offered;
    QString shownFirst;
    for (int round = 0; round < 2; ++round) {
        whenShown<InputDialog>([&](InputDialog *dialog) {
            auto *box = dialog->findChild<QComboBox *>();
            for (int i = 0; i < box->count(); ++i)
                offered.append(box->itemText(i));
            shownFirst = box->currentText();
            box->setEditText(QStringLiteral("  http://new.example/  "));
            buttonNamed(dialog, QStringLiteral("OK"))->click();
        });
        QVERIFY(InputDialog::editUrl(nullptr, text, known));
    }
    const QString a = QStringLiteral("http://a.example/"), b = QStringLiteral("http://b.example/");
    QCOMPARE(offered, (QStringList{a, b, a, b, QStringLiteral("http://new.example/")}));
    QCOMPARE(shownFirst, QStringLiteral("http://new.example/"));  // the second round starts with the first's answer
    QCOMPARE(text, QStringLiteral("http://new.example/"));
    // Added once, though confirmed twice.
    QCOMPARE(known.urls(), (QStringList{QStringLiteral("http://a.example/"), QStringLiteral("http://b.example/"),
                                        QStringLiteral("http://new.example/")}));
}

void DialogsTest::urlBoxCancelKeepsTheText()
{
    UrlCollection known;
    QString text = QStringLiteral("http://keep.example/");
    QString caption;
    whenShown<InputDialog>([&](InputDialog *dialog) {
        caption = dialog->findChild<QComboBox *>()->toolTip();
        dialog->findChild<QComboBox *>()->setEditText(QStringLiteral("http://other.example/"));
        buttonNamed(dialog, QStringLiteral("Cancel"))->click();
    });
    QVERIFY(!InputDialog::editUrl(nullptr, text, known));
    QCOMPARE(text, QStringLiteral("http://keep.example/"));
    QVERIFY(known.isEmpty());
    QCOMPARE(caption, QStringLiteral("Link to website"));

    // The window's close box counts as Cancel.
    whenShown<InputDialog>([](InputDialog *dialog) { dialog->close(); });
    QVERIFY(!InputDialog::editUrl(nullptr, text, known));
    QCOMPARE(text, QStringLiteral("http://keep.example/"));
}

void DialogsTest::textBoxReturnsTheAnswerAsTyped()
{
    QString title;
    QString prompt;
    whenShown<InputDialog>([&](InputDialog *dialog) {
        title = dialog->windowTitle();
        prompt = allLabelTexts(dialog);
        auto *edit = dialog->findChild<QLineEdit *>();
        QTest::keyClicks(edit, QStringLiteral(" new"));
        buttonNamed(dialog, QStringLiteral("OK"))->click();
    });
    bool ok = false;
    const QString answer = InputDialog::getText(nullptr, QStringLiteral("Add prefix to the title..."),
                                                QStringLiteral("Prefix:"), QStringLiteral("old"), &ok);
    QVERIFY(ok);
    QCOMPARE(answer, QStringLiteral("old new"));
    QCOMPARE(title, QStringLiteral("Add prefix to the title..."));
    QCOMPARE(prompt, QStringLiteral("Prefix:"));
}

void DialogsTest::textBoxCancelGivesNothing()
{
    whenShown<InputDialog>([](InputDialog *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral("typed"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    bool ok = true;
    const QString answer = InputDialog::getText(nullptr, QStringLiteral("Title"), QStringLiteral("Suffix:"),
                                                QStringLiteral("start"), &ok);
    QVERIFY(!ok);
    QVERIFY(answer.isEmpty());
}

void DialogsTest::aboutBoxNamesTheLibrariesItUses()
{
    AboutDialog about;
    const QString texts = allLabelTexts(&about);
    const std::tuple<const char *, const char *, const char *> libraries[] = {
        {"Qt", "LGPL v3", "https://www.qt.io/"},
        {"libvips", "LGPL 2.1+", "https://www.libvips.org/"},
        {"Prototype", "MIT", "http://prototypejs.org/"},
        {"script.aculo.us", "MIT", "https://script.aculo.us/"},
    };
    for (const auto &[name, licence, address] : libraries) {
        const QString link = QStringLiteral("<a href=\"%1\">%2</a>").arg(QLatin1String(address), QLatin1String(name));
        QVERIFY2(texts.contains(link), name);
        QVERIFY2(texts.contains(QLatin1String(licence)), licence);
    }
    QVERIFY(texts.contains(QStringLiteral("<a href=\"%1\">ZEB home page</a>").arg(QLatin1String(kHomePageAddress))));
    QVERIFY(texts.contains(QStringLiteral("Lumarc v.1.1.0.")));
    QVERIFY(!texts.contains(QStringLiteral("GflSDK")));
    QVERIFY(!texts.contains(QStringLiteral("Lightbox")));
    QCOMPARE(about.windowTitle(), QStringLiteral("  About Lumarc"));

    about.show();
    QPushButton *close = buttonNamed(&about, QStringLiteral("Close"));
    QVERIFY(close);
    close->click();
    QVERIFY(!about.isVisible());
}

void DialogsTest::aboutBoxLinksOpenInTheBrowser()
{
    m_opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openedUrl");
    AboutDialog about;
    for (QLabel *label : about.findChildren<QLabel *>()) {
        if (label->text().contains(QLatin1String("libvips</a>")) || label->text().contains(QLatin1String("home page")))
            Q_EMIT label->linkActivated(label->text().section(u'"', 1, 1));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("https://www.libvips.org/")),
                                    QUrl(QLatin1String(kHomePageAddress))}));
}

void DialogsTest::languageDialogListsNativeNames()
{
    LanguageDialog dialog;
    dialog.fill(false);
    auto *list = dialog.findChild<QListWidget *>();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->data(Qt::UserRole).toInt(), i18n::kEnglish);
    QCOMPARE(list->item(1)->data(Qt::UserRole).toInt(), i18n::kGerman);
    QCOMPARE(list->item(1)->text(), QStringLiteral("Deutsch"));
    QCOMPARE(list->item(1)->toolTip(), QStringLiteral("German (Germany)"));
    QCOMPARE(dialog.selectedLanguage(), i18n::kEnglish);
    QVERIFY(!dialog.findChild<QCheckBox *>()->isChecked());
    QCOMPARE(dialog.findChild<QCheckBox *>()->text(), QStringLiteral("Show this dialog when the program starts"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Language"));
}

void DialogsTest::languageDialogReturnsChoiceAndFlag()
{
    LanguageDialog dialog;
    dialog.fill(true);
    dialog.show();
    auto *list = dialog.findChild<QListWidget *>();
    list->setCurrentItem(entryFor(list, i18n::kGerman));
    dialog.findChild<QCheckBox *>()->setChecked(false);
    buttonNamed(&dialog, QStringLiteral("OK"))->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedLanguage(), i18n::kGerman);
    QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
    QVERIFY(!dialog.showAtStart());
    // The dialog announced the change to itself as well.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sprache auswählen"));
}

void DialogsTest::languageDialogCancelKeepsBoth()
{
    LanguageDialog dialog;
    dialog.fill(true);
    dialog.show();
    auto *list = dialog.findChild<QListWidget *>();
    list->setCurrentItem(entryFor(list, i18n::kGerman));
    dialog.findChild<QCheckBox *>()->setChecked(false);
    buttonNamed(&dialog, QStringLiteral("Cancel"))->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(i18n::currentLanguage(), i18n::kEnglish);
    QVERIFY(dialog.showAtStart());
}

void DialogsTest::languageDialogNeedsASelection()
{
    LanguageDialog dialog;
    dialog.show();
    dialog.findChild<QListWidget *>()->clearSelection();
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.confirm();
    QCOMPARE(accepted.count(), 0);
    QVERIFY(dialog.isVisible());

    // A double-click on an entry confirms it.
    auto *list = dialog.findChild<QListWidget *>();
    QListWidgetItem *german = entryFor(list, i18n::kGerman);
    list->setCurrentItem(german);
    Q_EMIT list->itemDoubleClicked(german);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
}

void DialogsTest::startupDialogFollowsTheStoredFlag()
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("MultiLang/LangId"), QStringLiteral("1031"));
    store.setValue(QStringLiteral("MultiLang/ShowDialog"), QStringLiteral("0"));

    bool shown = true;
    whenShown<LanguageDialog>([](LanguageDialog *dialog) { dialog->reject(); }, &shown);
    const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, true);
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QCOMPARE(choice.languageId, i18n::kGerman);
    QVERIFY(!choice.showDialog);
    QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
    // Nothing is stored when the dialog stays closed.
    QVERIFY(!store.contains(QStringLiteral("MultiLang/LangName")));
}

void DialogsTest::unknownStoredLanguageIsStoredAsEnglish()
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("MultiLang/LangId"), QStringLiteral("1033"));

    bool shown = false;
    int selectedWhenShown = 0;
    whenShown<LanguageDialog>(
        [&](LanguageDialog *dialog) {
            selectedWhenShown = dialog->selectedLanguage();
            dialog->close();
        },
        &shown);
    const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, true);
    QVERIFY(shown);
    QCOMPARE(selectedWhenShown, i18n::kEnglish);
    QCOMPARE(choice.languageId, i18n::kEnglish);
    QCOMPARE(store.value(QStringLiteral("MultiLang/LangId")).toString(), QStringLiteral("2057"));
    QCOMPARE(store.value(QStringLiteral("MultiLang/LangName")).toString(), QStringLiteral("English (United Kingdom)"));
    QCOMPARE(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QStringLiteral("-1"));
}

void DialogsTest::languageCommandShowsTheDialogAlways()
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("MultiLang/ShowDialog"), QStringLiteral("0"));

    bool ticked = true;
    whenShown<LanguageDialog>([&](LanguageDialog *dialog) {
        ticked = dialog->findChild<QCheckBox *>()->isChecked();
        dialog->selectLanguage(i18n::kGerman);
        dialog->confirm();
    });
    const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, false);
    QVERIFY(!ticked);
    QCOMPARE(choice.languageId, i18n::kGerman);
    QVERIFY(!choice.showDialog);
    QCOMPARE(store.value(QStringLiteral("MultiLang/LangId")).toString(), QStringLiteral("1031"));
    QCOMPARE(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QStringLiteral("0"));
}

void DialogsTest::switchRetranslatesOpenDialogs()
{
    AboutDialog about;
    about.show();
    InputDialog link(InputDialog::Kind::Url);
    link.show();
    const QPointer<AboutDialog> same(&about);

    switchLanguage(i18n::kGerman);
    QCOMPARE(about.windowTitle(), QStringLiteral("  Über Lumarc"));
    QVERIFY(buttonNamed(&about, QStringLiteral("Schließen")));
    QVERIFY(allLabelTexts(&about).contains(QStringLiteral("ZEB-Homepage")));
    QCOMPARE(link.windowTitle(), QStringLiteral("Link zur Website"));
    QVERIFY(buttonNamed(&link, QStringLiteral("Abbrechen")));
    QVERIFY(same);

    switchLanguage(i18n::kEnglish);
    QCOMPARE(about.windowTitle(), QStringLiteral("  About Lumarc"));
    QVERIFY(buttonNamed(&about, QStringLiteral("Close")));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
