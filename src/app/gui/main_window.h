#pragma once
#include <QMainWindow>
#include <memory>

namespace trevane {

class Session;

// The main window TQELFrm (instance QELFrm).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

private:
    Session& session_;
};

}  // namespace trevane
