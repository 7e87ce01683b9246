// The small dialogs: the text and link boxes, the about box and the language dialog,
// answered as a user would, and their live switch to German.

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
            if (auto *dialog = qobject_cast<T *>(window); dialog && dialog->isVisible())
                return act(dialog);
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

    void textBoxAnswersOnlyWhenConfirmed()
    {
        for (const bool confirm : {true, false}) {   // OK, or Escape
            whenShown<InputDialog>([confirm](InputDialog *dialog) {
                QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral(" new"));
                if (confirm)
                    buttonNamed(dialog, QStringLiteral("OK"))->click();
                else
                    QTest::keyClick(dialog, Qt::Key_Escape);
            });
            bool ok = !confirm;
            const QString answer = InputDialog::getText(nullptr, QStringLiteral("Add prefix"), QStringLiteral("Prefix:"),
                                                        QStringLiteral("old"), &ok);
            QCOMPARE(answer, confirm ? QStringLiteral("old new") : QString());   // the text as typed
            QCOMPARE(ok, confirm);
        }
    }

    void urlBoxOffersTheKnownAddressesAndAddsANewOneOnce()
    {
        UrlCollection known;
        known.add(QStringLiteral("http://a.example/"));
        QString text = QStringLiteral("http://start.example/");
        QStringList offered;
        whenShown<InputDialog>([&](InputDialog *dialog) {
            auto *box = dialog->findChild<QComboBox *>();
            for (int i = 0; i < box->count(); ++i)
                offered.append(box->itemText(i));
            offered.append(box->currentText());
            box->setEditText(QStringLiteral("  http://new.example/  "));
            buttonNamed(dialog, QStringLiteral("OK"))->click();
        });
        QVERIFY(InputDialog::editUrl(nullptr, text, known));
        QCOMPARE(offered, (QStringList{QStringLiteral("http://a.example/"), QStringLiteral("http://start.example/")}));
        QCOMPARE(text, QStringLiteral("http://new.example/"));
        const QStringList both{QStringLiteral("http://a.example/"), text};
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

    void languageDialogTakesLanguageAndFlagOnlyOnOk()
    {
        for (const bool ok : {true, false}) {
            switchLanguage(i18n::kEnglish);
            LanguageDialog dialog;
            dialog.fill(true);
            dialog.show();
            dialog.selectLanguage(i18n::kGerman);
            dialog.findChild<QCheckBox *>()->setChecked(false);
            buttonNamed(&dialog, ok ? QStringLiteral("OK") : QStringLiteral("Cancel"))->click();
            QCOMPARE(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
            QCOMPARE(i18n::currentLanguage(), ok ? i18n::kGerman : i18n::kEnglish);
            QCOMPARE(dialog.showAtStart(), !ok);
        }
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
    }

    void startupDialogFollowsTheStoredFlag()
    {
        // With German stored, or nothing stored; the dialog, when shown, picks English.
        const struct { const char *storedFlag; bool atStartup, shown; const char *flagAfter; } rows[] = {
            {"0", true, false, "0"},    // flag off at start: not shown
            {"0", false, true, "0"},    // the language command: shown whatever the flag
            {nullptr, true, true, "-1"},   // nothing stored at start: shown
        };
        for (const auto &row : rows) {
            QTemporaryDir dir;
            QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
            if (row.storedFlag) {
                store.setValue(QStringLiteral("MultiLang/LangId"), QString::number(i18n::kGerman));
                store.setValue(QStringLiteral("MultiLang/ShowDialog"), QLatin1String(row.storedFlag));
            }
            switchLanguage(i18n::kEnglish);
            bool seen = false;
            whenShown<LanguageDialog>([&seen](LanguageDialog *dialog) {
                seen = true;
                dialog->selectLanguage(i18n::kEnglish);
                dialog->confirm();
            });
            const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, row.atStartup);
            QCoreApplication::processEvents();
            QCOMPARE(seen, row.shown);
            const int language = row.shown ? i18n::kEnglish : i18n::kGerman;   // the one picked or the one stored
            QCOMPARE(choice.languageId, language);
            QCOMPARE(i18n::currentLanguage(), language);
            QCOMPARE(store.contains(QStringLiteral("MultiLang/LangName")), row.shown);   // stored only when shown
            QCOMPARE(store.value(QStringLiteral("MultiLang/LangId")).toInt(), language);
            QCOMPARE(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QLatin1String(row.flagAfter));
        }
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
