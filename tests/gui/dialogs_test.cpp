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

QString storedValue(QSettings &store, const char *key)
{
    return store.value(QLatin1String(key)).toString();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    // Stands in for the web browser while links are clicked.
    void openedUrl(const QUrl &url) { m_opened.append(url); }

private Q_SLOTS:
    void cleanup() { switchLanguage(i18n::kEnglish); }

    void urlBoxOffersTheKnownAddressesAndTakesTheAnswer()
    {
        UrlCollection known;
        known.add(QStringLiteral("http://a.example/"));
        QString text = QStringLiteral("http://start.example/");
        QStringList offered;
        QString shownFirst;
        whenShown<InputDialog>([&](InputDialog *dialog) {
            auto *box = dialog->findChild<QComboBox *>();
            for (int i = 0; i < box->count(); ++i)
                offered.append(box->itemText(i));
            shownFirst = box->currentText();
            box->setEditText(QStringLiteral("  http://new.example/  "));
            buttonNamed(dialog, QStringLiteral("OK"))->click();
        });
        QVERIFY(InputDialog::editUrl(nullptr, text, known));
        QCOMPARE(offered, QStringList{QStringLiteral("http://a.example/")});
        QCOMPARE(shownFirst, QStringLiteral("http://start.example/"));
        QCOMPARE(text, QStringLiteral("http://new.example/"));
        QCOMPARE(known.urls(), (QStringList{QStringLiteral("http://a.example/"), text}));

        whenShown<InputDialog>([](InputDialog *dialog) {
            dialog->findChild<QComboBox *>()->setEditText(QStringLiteral("http://other.example/"));
            buttonNamed(dialog, QStringLiteral("Cancel"))->click();
        });
        QVERIFY(!InputDialog::editUrl(nullptr, text, known));
        QCOMPARE(text, QStringLiteral("http://new.example/"));
        QCOMPARE(known.urls().size(), 2);
        // A confirmed answer of blanks is no address.
        QVERIFY(!takeUrlAnswer(QStringLiteral("   "), text, known));
        QVERIFY(text.isEmpty());
        QCOMPARE(known.urls().size(), 2);
    }

    void textBoxAnswersOnlyWhenConfirmed()
    {
        QString title;
        QString prompt;
        whenShown<InputDialog>([&](InputDialog *dialog) {
            title = dialog->windowTitle();
            prompt = allLabelTexts(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral(" new"));
            buttonNamed(dialog, QStringLiteral("OK"))->click();
        });
        bool ok = false;
        QString answer = InputDialog::getText(nullptr, QStringLiteral("Add prefix"), QStringLiteral("Prefix:"),
                                              QStringLiteral("old"), &ok);
        QVERIFY(ok);
        QCOMPARE(answer, QStringLiteral("old new"));   // as typed, blanks included
        QCOMPARE(title, QStringLiteral("Add prefix"));
        QCOMPARE(prompt, QStringLiteral("Prefix:"));

        whenShown<InputDialog>([](InputDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral("typed"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        answer = InputDialog::getText(nullptr, QStringLiteral("Title"), QStringLiteral("Suffix:"),
                                      QStringLiteral("start"), &ok);
        QVERIFY(!ok);
        QVERIFY(answer.isEmpty());
    }

    void aboutBoxNamesTheLibrariesAndOpensLinksInTheBrowser()
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
        QVERIFY(!texts.contains(QStringLiteral("GflSDK")));

        m_opened.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openedUrl");
        for (QLabel *label : about.findChildren<QLabel *>()) {
            if (label->text().contains(QLatin1String("libvips</a>")) || label->text().contains(QLatin1String("home page")))
                Q_EMIT label->linkActivated(label->text().section(u'"', 1, 1));
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("https://www.libvips.org/")),
                                        QUrl(QLatin1String(kHomePageAddress))}));
    }

    void languageDialogListsNativeNames()
    {
        LanguageDialog dialog;
        auto *list = dialog.findChild<QListWidget *>();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->data(Qt::UserRole).toInt(), i18n::kGerman);
        QCOMPARE(list->item(1)->text(), QStringLiteral("Deutsch"));
        QCOMPARE(list->item(1)->toolTip(), QStringLiteral("German (Germany)"));
        QCOMPARE(dialog.selectedLanguage(), i18n::kEnglish);   // the current one
    }

    void languageDialogResult_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("showAtStart");
        QTest::newRow("OK takes both") << "OK" << int(QDialog::Accepted) << i18n::kGerman << false;
        QTest::newRow("Cancel keeps both") << "Cancel" << int(QDialog::Rejected) << i18n::kEnglish << true;
    }
    void languageDialogResult()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(int, language);
        QFETCH(bool, showAtStart);
        LanguageDialog dialog;
        dialog.fill(true);
        dialog.show();
        dialog.selectLanguage(i18n::kGerman);
        dialog.findChild<QCheckBox *>()->setChecked(false);
        buttonNamed(&dialog, button)->click();
        QCOMPARE(dialog.result(), result);
        QCOMPARE(i18n::currentLanguage(), language);
        QCOMPARE(dialog.showAtStart(), showAtStart);
    }

    void languageDialogNeedsASelection()
    {
        LanguageDialog dialog;
        dialog.show();
        auto *list = dialog.findChild<QListWidget *>();
        list->clearSelection();
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.confirm();
        QCOMPARE(accepted.count(), 0);
        // A double-click on an entry confirms it.
        dialog.selectLanguage(i18n::kGerman);
        Q_EMIT list->itemDoubleClicked(list->currentItem());
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
    }

    void startupDialogFollowsTheStoredFlag()
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
        QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
        QVERIFY(!store.contains(QStringLiteral("MultiLang/LangName")));   // nothing stored

        // The language command shows it whatever the flag says, and stores the choice.
        bool ticked = true;
        whenShown<LanguageDialog>([&](LanguageDialog *dialog) {
            ticked = dialog->findChild<QCheckBox *>()->isChecked();
            dialog->selectLanguage(i18n::kEnglish);
            dialog->confirm();
        });
        const i18n::LanguageChoice command = runLanguageDialog(store, nullptr, false);
        QVERIFY(!ticked);
        QCOMPARE(command.languageId, i18n::kEnglish);
        QVERIFY(!command.showDialog);
        QCOMPARE(storedValue(store, "MultiLang/LangId"), QStringLiteral("2057"));
        QCOMPARE(storedValue(store, "MultiLang/ShowDialog"), QStringLiteral("0"));
    }

    void startupDialogShowsWhenTheFlagIsSetAndStoresOnClose()
    {
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        bool shown = false;
        whenShown<LanguageDialog>([](LanguageDialog *dialog) { dialog->close(); }, &shown);
        runLanguageDialog(store, nullptr, true);
        QVERIFY(shown);
        QCOMPARE(storedValue(store, "MultiLang/LangId"), QStringLiteral("2057"));
        QCOMPARE(storedValue(store, "MultiLang/ShowDialog"), QStringLiteral("-1"));
    }

    void switchRetranslatesOpenDialogs()
    {
        AboutDialog about;
        about.show();
        InputDialog link(InputDialog::Kind::Url);
        link.show();
        switchLanguage(i18n::kGerman);
        QCOMPARE(about.windowTitle(), QStringLiteral("  Über Lumarc"));
        QVERIFY(buttonNamed(&about, QStringLiteral("Schließen")));
        QVERIFY(allLabelTexts(&about).contains(QStringLiteral("ZEB-Homepage")));
        QCOMPARE(link.windowTitle(), QStringLiteral("Link zur Website"));
        QVERIFY(buttonNamed(&link, QStringLiteral("Abbrechen")));
        switchLanguage(i18n::kEnglish);
        QCOMPARE(about.windowTitle(), QStringLiteral("  About Lumarc"));
    }

private:
    QList<QUrl> m_opened;
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
