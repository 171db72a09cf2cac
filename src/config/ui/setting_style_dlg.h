// CSettingStyleDlg: the settings page "字体&颜色": colours, font and size of each style of the NSIS colouring.
#pragma once

#include <QStringList>
#include <QWidget>

class CColourSwatch;
class CStylePreview;
class Configurator;
class Prompter;
class QComboBox;
class QListWidget;
struct WordsStyle;

class CSettingStyleDlg : public QWidget {
    Q_OBJECT
public:
    // fontFamilies: the installed font families, for the font box.
    CSettingStyleDlg(Configurator& config, Prompter& prompter, const QStringList& fontFamilies, QWidget* parent);

    // A style was changed since the page was created: stylers.xml is written on close.
    bool IsChanged() const { return m_changed; }

Q_SIGNALS:
    // The styles changed: every view applies them again.
    void StylesChanged();

private:
    QWidget* BuildColourRow(const QString& label, CColourSwatch*& swatch, void (CSettingStyleDlg::*choose)());
    // The selected style; null before one is selected.
    WordsStyle* Current();
    void SelectStyle(int row);
    void ShowCurrent();
    void ChooseForeColour();
    void ChooseBackColour();
    void ChooseColour(int WordsStyle::*colour);
    void ChooseSize(int index);
    void ChooseFont(int index);
    void StyleChanged();

    Configurator& m_config;
    Prompter& m_prompter;
    QListWidget* m_styles = nullptr;
    CColourSwatch* m_fore = nullptr;
    CColourSwatch* m_back = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    CStylePreview* m_preview = nullptr;
    QStringList m_fontChoices;
    QStringList m_sizeChoices;
    int m_current = -1;
    bool m_changed = false;
};
