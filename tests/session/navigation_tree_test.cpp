// The navigation tree from the catalog, and the main window's designed menu states.
#include "session/navigation_tree.h"

#include "support/document_fixture.h"

namespace vemo {
namespace {

using test::DocumentFixture;

class NavigationTree : public DocumentFixture {};

TEST_F(NavigationTree, FlaggedRowsGetKeysInCatalogOrderAndDuplicatesNoNode) {
  settings({"insert into bb (bbm, flag, bh) values ('客户登记表', null, 0)",
            "insert into bb (bbm, flag, bh) values ('货物运单', 'A', 5)",
            "insert into bb (bbm, flag, bh) values ('运输货票', 'a', 3)"});
  build_navigation_tree(session);
  QStringList nodes;
  for (const TreeNode& node : session.form1.TreeView1)
    nodes << node.text + "/" + node.key + (node.opens_with_flag() ? "/flag" : "");
  EXPECT_EQ(nodes,
            (QStringList{"客户登记表/", "货物运单/货物运单/flag", "运输货票/运输货票/flag"}));
}

TEST_F(NavigationTree, MissingCatalogLeavesTheTreeEmpty) {
  settings({"drop table bb"});
  session.form1.TreeView1.push_back({"x", "x"});
  build_navigation_tree(session);
  EXPECT_TRUE(session.form1.TreeView1.empty());
}

TEST(MainWindowModel, DesignedState) {
  Session session;
  EXPECT_TRUE(session.form1.Check2);
  EXPECT_TRUE(session.form1.CommandButton1.visible);
  EXPECT_FALSE(session.form1.List1.visible);
  EXPECT_FALSE(session.form1.menu.enabled("getdz"));
  EXPECT_FALSE(session.form1.menu.enabled("closedz"));
  EXPECT_TRUE(session.form1.menu.enabled("queren"));
  session.form1.menu.set_enabled(QStringList{"queren", "user_gl"}, false);
  EXPECT_FALSE(session.form1.menu.enabled("user_gl"));
  session.Spreadsheet1.set_name("货物运单");
  EXPECT_EQ(session.active_sheet_name(), "货物运单");
}

}  // namespace
}  // namespace vemo
