#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QWidget;
class TKeyboard;
class TKeyboardManager;
class TLayoutWizard;
class TPage;

/// The new-layout wizard's dialog "Создание новой раскладки": a header with
/// the page's title, the page area and the buttons "< Назад", "Далее >" (on
/// the last page "Готово", which ends the dialog with OK) and "Отмена".
class TfmWizardMain : public QDialog {
    Q_OBJECT
public:
    explicit TfmWizardMain(TKeyboardManager &manager, QWidget *parent = nullptr);
    ~TfmWizardMain() override;

    TLayoutWizard &Wizard() const { return *FWizard; }

private:
    void btnNextClick();
    void btnPrevClick();
    /// Runs a move with both buttons disabled; the buttons follow the page
    /// shown afterwards, also when the move fails.
    void Move(const std::function<void()> &move);
    void UpdateButtons();
    void ShowPage(TPage &page);

    QLabel *lblTitle;
    QWidget *pnlPage;
    QPushButton *btnPrev;
    QPushButton *btnNext;
    QPushButton *btnCancel;
    // Members go before the child widgets: the pages it owns are freed
    // before their parent, the page area.
    std::unique_ptr<TLayoutWizard> FWizard;
};

/// Shows the wizard modally; when it ends with OK, copies the chosen model
/// into keyboard and returns true, otherwise returns false.
bool RunLayoutWizard(TKeyboardManager &manager, TKeyboard &keyboard, QWidget *parent = nullptr);
