#include "gui/app/languagedialog.h"
#include "gui/dialogs/aboutdialog.h"
#include "gui/dialogs/inputdialog.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace lumarc;
using namespace lumarc::gui;

namespace {

// Runs `act` on the modal dialog of type T once its event loop runs, if one is shown.
template <typename T>
void whenShown(std::function<void(T *)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<T *>(window); dialog && dialog->isVisible()) {
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

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { switchLanguage(i18n::kEnglish); }

    void urlBoxOffersTheKnownAddressesAndAddsANewOneOnce()
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
        const QStringList both{QStringLiteral("http://a.example/"), text};
        QCOMPARE(known.urls(), both);
        QVERIFY(takeUrlAnswer(text, text, known));   // known already
        QCOMPARE(known.urls(), both);

        whenShown<InputDialog>([](InputDialog *dialog) {
            dialog->findChild<QComboBox *>()->setEditText(QStringLiteral("http://other.example/"));
            buttonNamed(dialog, QStringLiteral("Cancel"))->click();
        });
        QVERIFY(!InputDialog::editUrl(nullptr, text, known));
        QCOMPARE(text, QStringLiteral("http://new.example/"));
        QVERIFY(!takeUrlAnswer(QStringLiteral("   "), text, known));   // blanks are no address
        QVERIFY(text.isEmpty());
        QCOMPARE(known.urls(), both);
    }

    void textBoxAnswersOnlyWhenConfirmed_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("answer");
        QTest::newRow("OK gives the text as typed") << true << QStringLiteral("old new");
        QTest::newRow("Escape gives nothing") << false << QString();
    }
    void textBoxAnswersOnlyWhenConfirmed()
    {
        QFETCH(bool, confirm);
        QFETCH(QString, answer);
        whenShown<InputDialog>([&](InputDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral(" new"));
            if (confirm)
                buttonNamed(dialog, QStringLiteral("OK"))->click();
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        bool ok = !confirm;
        QCOMPARE(InputDialog::getText(nullptr, QStringLiteral("Add prefix"), QStringLiteral("Prefix:"),
                                      QStringLiteral("old"), &ok),
                 answer);
        QCOMPARE(ok, confirm);
    }

    void aboutBoxNamesTheLibrariesAndNoGflSdk()
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
        QCOMPARE(list->item(1)->text(), QStringLiteral("Deutsch"));   // each language in its own words
        list->clearSelection();
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.confirm();
        QCOMPARE(accepted.count(), 0);
        dialog.selectLanguage(i18n::kGerman);   // a double-click confirms
        Q_EMIT list->itemDoubleClicked(list->currentItem());
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(i18n::currentLanguage(), i18n::kGerman);
    }

    void startupDialogFollowsTheStoredFlag_data()
    {
        QTest::addColumn<QString>("storedFlag");   // with German stored; empty: nothing stored
        QTest::addColumn<bool>("atStartup");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("flagAfter");
        QTest::newRow("flag off at start: not shown") << QStringLiteral("0") << true << false << QStringLiteral("0");
        QTest::newRow("language command: shown whatever the flag")
            << QStringLiteral("0") << false << true << QStringLiteral("0");
        QTest::newRow("nothing stored at start: shown") << QString() << true << true << QStringLiteral("-1");
    }
    void startupDialogFollowsTheStoredFlag()
    {
        QFETCH(QString, storedFlag);
        QFETCH(bool, atStartup);
        QFETCH(bool, shown);
        QFETCH(QString, flagAfter);
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        if (!storedFlag.isEmpty()) {
            store.setValue(QStringLiteral("MultiLang/LangId"), QString::number(i18n::kGerman));
            store.setValue(QStringLiteral("MultiLang/ShowDialog"), storedFlag);
        }
        bool seen = false;
        whenShown<LanguageDialog>([&](LanguageDialog *dialog) {
            seen = true;
            dialog->selectLanguage(i18n::kEnglish);
            dialog->confirm();
        });
        const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, atStartup);
        QCoreApplication::processEvents();
        QCOMPARE(seen, shown);
        const int language = shown ? i18n::kEnglish : i18n::kGerman;   // the one picked or the one stored
        QCOMPARE(choice.languageId, language);
        QCOMPARE(i18n::currentLanguage(), language);
        QCOMPARE(store.contains(QStringLiteral("MultiLang/LangName")), shown);   // stored only when shown
        QCOMPARE(store.value(QStringLiteral("MultiLang/LangId")).toInt(), language);
        QCOMPARE(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), flagAfter);
    }

    void switchRetranslatesOpenDialogs()
    {
        AboutDialog about;
        about.show();
        InputDialog link(InputDialog::Kind::Url);
        link.show();
        switchLanguage(i18n::kGerman);
        QCOMPARE(about.windowTitle(), QStringLiteral("  Über Lumarc"));
        QVERIFY(allLabelTexts(&about).contains(QStringLiteral("ZEB-Homepage")));
        QCOMPARE(link.windowTitle(), QStringLiteral("Link zur Website"));
        QVERIFY(buttonNamed(&link, QStringLiteral("Abbrechen")));
        switchLanguage(i18n::kEnglish);
        QCOMPARE(link.windowTitle(), QStringLiteral("Link to website"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
