// The small dialogs answered as a user would, and their live switch to German.

#include "gui/app/languagedialog.h"
#include "gui/dialogs/aboutdialog.h"
#include "gui/dialogs/inputdialog.h"
#include "i18n/strings.h"
#include "model/urlcollection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "widgettest.h"

using namespace lumarc;
using namespace lumarc::gui;
using lumarc::test::whenShown;

namespace {

QPushButton *buttonNamed(QWidget *dialog, const QString &text)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { switchLanguage(i18n::kEnglish); }

    void textBoxAnswersOnlyWhenConfirmedAndTheUrlBoxAddsANewAddress()
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
            QCOMPARE(InputDialog::getText(nullptr, QStringLiteral("Add prefix"), QStringLiteral("Prefix:"),
                                          QStringLiteral("old"), &ok),
                     confirm ? QStringLiteral("old new") : QString());   // the text as typed
            QCOMPARE(ok, confirm);
        }

        // The address box offers the known addresses and adds a new one.
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
        QCOMPARE(text, QStringLiteral("http://new.example/"));   // trimmed, and now known
        QCOMPARE(known.urls(), (QStringList{QStringLiteral("http://a.example/"), text}));
    }

    void aboutBoxNamesTheLibrariesAndNoGflSdk()
    {
        AboutDialog about;
        QString texts;
        for (QLabel *label : about.findChildren<QLabel *>())
            texts += label->text() + u'\n';
        for (const char *name : {"Qt", "libvips", "Prototype", "script.aculo.us"})
            QVERIFY2(texts.contains(QStringLiteral("\">%1</a>").arg(QLatin1String(name))), name);
        QVERIFY(!texts.contains(QStringLiteral("GflSDK")));
    }

    void languageDialogTakesLanguageAndFlagOnlyOnOkAndAtStartFollowsTheStoredFlag()
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

        // German stored with the flag off: skipped at start, shown by the language command (English picked).
        for (const bool atStartup : {true, false}) {
            QTemporaryDir dir;
            QSettings store(dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
            store.setValue(QStringLiteral("MultiLang/LangId"), QString::number(i18n::kGerman));
            store.setValue(QStringLiteral("MultiLang/ShowDialog"), QStringLiteral("0"));
            switchLanguage(i18n::kEnglish);
            bool seen = false;
            whenShown<LanguageDialog>([&seen](LanguageDialog *dialog) {
                seen = true;
                dialog->selectLanguage(i18n::kEnglish);
                dialog->confirm();
            }, atStartup);
            const i18n::LanguageChoice choice = runLanguageDialog(store, nullptr, atStartup);
            QCoreApplication::processEvents();
            QCOMPARE(seen, !atStartup);
            const int language = atStartup ? i18n::kGerman : i18n::kEnglish;
            QCOMPARE(choice.languageId, language);
            QCOMPARE(store.value(QStringLiteral("MultiLang/LangId")).toInt(), language);
            QCOMPARE(store.value(QStringLiteral("MultiLang/ShowDialog")).toString(), QStringLiteral("0"));
        }
    }

    void switchRetranslatesAnOpenDialog()
    {
        InputDialog link(InputDialog::Kind::Url);
        link.show();
        switchLanguage(i18n::kGerman);
        QCOMPARE(link.windowTitle(), QStringLiteral("Link zur Website"));
        QVERIFY(buttonNamed(&link, QStringLiteral("Abbrechen")));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
