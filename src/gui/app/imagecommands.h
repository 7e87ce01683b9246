#pragma once

// The commands of the Images and Links menus and of the grid's keys: selecting, stepping,
// moving, removing, the bulk edits of titles, tooltips and links, and the link verifier.
// Each change is one undo step named after its command.

#include "gui/editor/projectdocument.h"
#include "model/urlcollection.h"

#include <QObject>

#include <functional>

class QWidget;

namespace lumarc::gui {

class ThumbnailGrid;
class VerifyLinksDialog;

class ImageCommands : public QObject {
    Q_OBJECT
public:
    ImageCommands(ProjectDocument &document, ThumbnailGrid &grid, UrlCollection &urls, QWidget *window);

    // Tests reach the link verifier of each opening here before it shows.
    std::function<void(VerifyLinksDialog &)> prepareVerifier;

    void selectAllToggle();
    void unselectAll();
    void stepPicture(int direction);  // 0 previous, 1 next
    void move(const QList<int> &indexes, int target);
    void removeSelected(const QString &step);
    void removeAll(const QString &step);
    // Asks "Are you sure?" first; applies to the selected images.
    void confirmAndChange(const QString &step, const std::function<void(ImageItem &)> &change);
    void prefixOrSuffix(const QString &step, bool title, bool prefix);
    void setLinkTextToDefault(const QString &step);
    void setLinkForAll(const QString &step);
    void verifyLinks();

Q_SIGNALS:
    // An address the user gave, for the known addresses.
    void urlEntered(const QString &url);

private:
    ProjectDocument &m_document;
    ThumbnailGrid &m_grid;
    UrlCollection &m_urls;
    QWidget *m_window;
};

}  // namespace lumarc::gui
