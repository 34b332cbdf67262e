-- Tree views from a script (run against examples/forms/treeview.json): nodes by key and by
-- relation, column texts after "|", the check cascade with its grey parent, expanding, sorting,
-- full paths, and a click raising NodeClick.
local places = form.tvPlaces
places.ScaleMode = 3  -- pixels
test.check(places:AddNode(0, 0, "x", "too early") == 0, "nothing is added before Initialize")
test.check(places:Initialize(), "the tree's window is built")

local R = Orvane.tvRelationConstants
-- The top of a node's row in the control, found by hit testing down its left edge.
local function rowTop(tree, node)
  local y = 0
  while tree:HitTest(5, y, true) ~= node and y < 600 do y = y + 1 end
  return y
end
local europe = places:AddNode(0, R.rLast, "eu", "Europe")
local asia = places:AddNode(0, R.rLast, "as", "Asia")
places:AddNode(europe, R.rSort, "fr", "France")
places:AddNode(europe, R.rSort, "de", "Germany")
local austria = places:AddNode(europe, R.rSort, "at", "Austria")
test.check(places:NodeChild(europe) == austria, "sorted in: Austria comes first")
places:AddNode(asia, R.rFirst, "jp", "Japan")
test.check(places.NodeCount == 6, "six nodes: " .. places.NodeCount)

-- Keys are unique without regard to case; the first node keeps its key.
test.check(not places:IsValidKey("FR"), "FR is taken (as fr)")
local again = places:AddNode(asia, R.rLast, "Fr", "Frankfurt?")
test.check(again ~= 0 and places:GetKeyNode("fr") ~= again, "a repeated key stays with its first node")
test.check(places:GetNodeKey(again) == "", "the newcomer has no key")
places:DeleteNode(again)
test.check(places.NodeCount == 6, "deleted again")

local vienna = places:AddNode(austria, R.rLast, "vie", "Vienna")
test.check(places:NodeFullPath(vienna, "/") == "Europe/Austria/Vienna", places:NodeFullPath(vienna, "/"))
test.check(places:NodeLevel(vienna) == 2, "Vienna is two levels down")
places:Expand(europe, true)
test.check(places:NodeExpanded(austria), "expanded below Europe too")

local clicked = 0
on(places, "NodeClick", function(e) clicked = e.hNode end)
places:EnsureVisible(asia)
test.click(places.Left // 15 + 40, places.Top // 15 + rowTop(places, asia) + 4)
test.check(clicked == asia, "clicking Asia raises NodeClick for it")
test.check(places.SelectedNode == asia, "and selects it")

-- Columns and the check cascade.
local plan = form.tvPlan
plan:Initialize()
plan:AddColumn("Step", 150)
plan:AddColumn("Owner", 80)
plan:AddColumn("Due", 60, 1)
local build = plan:AddNode(0, R.rLast, "", "Build|Ben|Fri")
local a = plan:AddNode(build, R.rLast, "", "Platform|Ben|Wed")
local b = plan:AddNode(build, R.rLast, "", "Controls|Cho|Thu")
plan:Expand(build)
test.check(plan:NodeText(build) == "Build", "the tree shows the first part")
test.check(plan:NodeSubItemText(build, 2) == "Fri", "column 2 holds the third part")
test.check(plan:GetNodeSubItems(build) == "Ben|Fri", "the column texts: " .. plan:GetNodeSubItems(build))
local checked = 0
on(plan, "NodeCheck", function(e) checked = e.hNode end)
local S = Orvane.ETreeViewCheckState
plan:NodeChecked(build, S.etvwChecked)
plan:CheckChildren(build, S.etvwChecked)
test.check(plan:NodeChecked(a) == S.etvwChecked and plan:NodeChecked(b) == S.etvwChecked,
           "both children checked")
-- The space bar on a selected child unchecks it; the parent turns grey. A click in the
-- Owner column selects the row without touching its check box.
test.click(plan.Left // 15 + 190, plan.Top // 15 + rowTop(plan, b) + 4)
test.check(plan.SelectedNode == b, "Controls is selected")
test.key("Space")
test.check(plan:NodeChecked(b) == S.etvwUnChecked, "the space bar unchecked Controls")
test.check(plan:NodeChecked(build) == S.etvwGrayed, "Build is grey: its children differ")
test.check(checked == b, "NodeCheck named the node")
