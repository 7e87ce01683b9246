#pragma once

// The row above the grid: adding images and folders, pictures per row, "HTML only" and the
// build with its Stop button.

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace lumarc::gui {

class NumericBox;

class ToolRow : public QWidget {
public:
    explicit ToolRow(QWidget *parent = nullptr);
    void retranslate();
    // While a build runs the Stop button stands where it can be found.
    void setBuilding(bool building);

    QPushButton *const addImage;
    QPushButton *const addFolder;
    NumericBox *const perRow;
    QCheckBox *const htmlOnly;
    QPushButton *const make;
    QPushButton *const stop;
};

}  // namespace lumarc::gui
