// Wizard page 8 with the statistics service: sign in from the page, pick a listed number, its item name stored.
#include "modal_script.h"
#include "support/eventually.h"
#include "online/support/online_fixture.h"
#include "online/ui/stat_panel.h"
#include "wizard/ui/wizard_fixture.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class AppCountServiceTest : public OnlineTest, protected WizardSteps {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        m_user = NewUser();
        m_service.emplace(StatService{*m_user, Servers()});
        m_dialog = ShowWizard(RealInstalledNsis(), m_prompter, CStatPanel::Maker(*m_service, m_prompter));
    }
    CMainDlg* Wizard() const override { return m_dialog.get(); }
    ScriptedPrompter& Answers() override { return m_prompter; }

    std::unique_ptr<CUserInfoLogic> m_user;
    std::optional<StatService> m_service;
    std::unique_ptr<CMainDlg> m_dialog;
};

}  // namespace

TEST_F(AppCountServiceTest, SignInOnThePageAndPickAListedNumber) {
    ASSERT_TRUE(GoTo(kCount));
    auto* signIn = Find<QPushButton>("signIn");
    ASSERT_TRUE(signIn->isVisible());
    SignInWhenAsked();
    QTest::mouseClick(signIn, Qt::LeftButton);
    EXPECT_FALSE(signIn->isVisible());

    auto* list = Find<QTreeWidget>("statList");
    ASSERT_EVENTUALLY(list->topLevelItemCount() == 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
    EXPECT_EQ(Find<QLineEdit>("statNumber")->text(), u"7KFBDS3C"_s);
    Next();
    ASSERT_EQ(m_dialog->PageIndex(), kEnd);
    EXPECT_EQ(m_dialog->Data().statNumber, u"7KFBDS3C"_s);
    EXPECT_EQ(m_dialog->Data().statItemName, u"演示安装"_s);
}
