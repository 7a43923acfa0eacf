// The print selection dialog "印刷データの選択": the designed slabs as a
// check list; the ticked ones are printed (or previewed) in list order.
// The list is rebuilt, all unticked, every time the dialog is shown.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class TPrintSetup;

namespace Ui {
class TSelectDialog;
}

class TSelectDialog : public QDialog {
    Q_OBJECT

public:
    // Prints and paginates through `setup`, whose print source names the slabs.
    explicit TSelectDialog(TPrintSetup& setup, QWidget* parent = nullptr);
    ~TSelectDialog() override;

    // The slab numbers of the ticked items, in list order.
    std::vector<int> Ticked() const;

    // The beep and information box; tests answer it.
    std::function<void(QWidget* parent, const QString& text)> Inform;
    // The preview window for the selection; the preview button stays
    // disabled while there is none.
    std::function<void(QWidget* parent)> ShowPreview;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void SetAllTicks(bool ticked);
    void PreviewButtonClick();
    void PrintButtonClick();
    // Runs `job` in select mode with the ticked slabs.
    void WithSelection(const std::function<void()>& job);

    std::unique_ptr<Ui::TSelectDialog> ui;
    TPrintSetup& setup_;
    int itemHeight_ = 17;
    bool twoColumns_ = false;
};
