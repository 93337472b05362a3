#pragma once
// The Qt views of the search-type, working-properties and advice dialogs. Each
// shows its core model and forwards every button and choice to it.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace trevane {

class TSearchFrm;
class TSubSearchFrm;
class TSillySrchFrm;

// Registers the three dialogs with the dialog registry (safe to call repeatedly).
void RegisterSearchDialogs();

// Text with "\r\n" line breaks as a label shows it.
QString LabelText(const char* crlfText);

class SearchFrmDialog : public QDialog {
    Q_OBJECT
public:
    SearchFrmDialog(TSearchFrm& model, QWidget* parent);

    void done(int r) override;

private:
    void Show();
    void Settle();  // closes the window once the model has closed

    TSearchFrm& model_;
    QButtonGroup* group_;
    QPushButton* oldSearch_;
};

class SubSearchFrmDialog : public QDialog {
    Q_OBJECT
public:
    SubSearchFrmDialog(TSubSearchFrm& model, QWidget* parent);

    void done(int r) override;

private:
    void Settle();

    TSubSearchFrm& model_;
};

class SillySrchFrmDialog : public QDialog {
    Q_OBJECT
public:
    SillySrchFrmDialog(TSillySrchFrm& model, QWidget* parent);

    void done(int r) override;

private:
    TSillySrchFrm& model_;
};

}  // namespace trevane
