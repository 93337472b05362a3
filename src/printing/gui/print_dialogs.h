#pragma once
// The small windows of the print command: the titles window (GridTitleFrm), the
// print confirmation (PrntFrm), the progress window (PrntProgFrm) and the
// printer set-up dialog of the built-in printer list.
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace trevane {

class GridTitleFrmModel;
class PrntFrmModel;

// Registers GridTitleFrm and PrntFrm with the dialog registry (once is enough).
void RegisterPrintingDialogs();

class GridTitleFrm : public QDialog {
    Q_OBJECT
public:
    GridTitleFrm(GridTitleFrmModel& model, QWidget* parent);

private:
    GridTitleFrmModel& model_;
    QLineEdit* pupilName_;
    QLineEdit* gridTitle_;
};

class PrntFrm : public QDialog {
    Q_OBJECT
public:
    PrntFrm(PrntFrmModel& model, QWidget* parent);

private:
    void Show();
    PrntFrmModel& model_;
    QLabel* label1_;
    QLabel* copies_;
};

// Shown while a job is drawn; it cannot be closed by the pupil.
class PrntProgFrm : public QDialog {
    Q_OBJECT
public:
    PrntProgFrm(const std::string& text, QWidget* parent);
    void SetPosition(int percent);

private:
    QProgressBar* bar_;
};

// The printer set-up: which printer, and the paper of the built-in PDF printer.
class PrinterSetupDlg : public QDialog {
    Q_OBJECT
public:
    PrinterSetupDlg(const std::vector<std::string>& printers, const std::string& selected,
                    const std::vector<std::string>& papers, const std::string& paper, QWidget* parent);
    std::string Printer() const;
    std::string Paper() const;

private:
    QComboBox* printers_;
    QComboBox* papers_;
};

// Places a dialog in the middle of the screen it is on.
void CentreOnScreen(QWidget* dialog);

}  // namespace trevane
