// CSettingMainDlg: the modeless "设置" window that hosts the three settings pages and writes their changes on close.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <array>

class CSettingBaseDlg;
class CSettingCompileDlg;
class CSettingStyleDlg;
class Configurator;
class Prompter;
class QTabWidget;

class CSettingMainDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBasePage = 0;
    static constexpr int kStylePage = 1;
    static constexpr int kCompilePage = 2;

    CSettingMainDlg(Configurator& config, Prompter& prompter, QWidget* owner);
    // Writes what is left unwritten, without asking (the frame is going).
    ~CSettingMainDlg() override;

    // Shows the page, creating it the first time.
    void SelectPage(int page);
    int CurrentPage() const;

    // Closing writes config.xml when the general or compiler page changed a setting,
    // stylers.xml when the style page changed a style; a failed write is reported.
    void done(int result) override;

Q_SIGNALS:
    void CaptionSettingChanged();
    void PaneSideChanged();
    void EditingSettingsChanged();
    void StylesChanged();

private:
    QWidget* CreatePage(int page);
    void FitToPage();
    // The paths of the files that could not be written.
    QStringList SaveChanges();

    Configurator& m_config;
    Prompter& m_prompter;
    QTabWidget* m_tabs;
    std::array<QWidget*, 3> m_holders{};
    QPointer<CSettingBaseDlg> m_base;
    QPointer<CSettingStyleDlg> m_style;
    QPointer<CSettingCompileDlg> m_compile;
    bool m_saved = false;
};
