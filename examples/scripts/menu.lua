-- A menu bar built from a script (run against examples/forms/menu.json): entries, items with
-- shortcuts, a separator and a radio group, looked up by identifier and key.
local mnu = form.mnu
mnu:Create(form.hWnd)
local file = mnu:AddMenu("&File", "file")
file:AddMenu("&Open", "open", 0, "o", 2)
file:AddMenu("", "", 0, nil, 0, Orvane.enumMenuFlags.MF_SEPARATOR)
file:AddMenu("E&xit", "exit")
local view = mnu:AddMenu("&View", "view")
view:AddMenu("&Large")
view:AddMenu("&Small")
mnu:RadioGroupAdd(1, 0, 0, 1)
mnu:ShowMenu()

test.check(file.ID == 0, "the first item is 0: " .. file.ID)
local open = mnu:GetMenuItemInfo(1)
test.check(open.ShortcutText == "Ctrl+O", "o with Ctrl shows as " .. open.ShortcutText)
test.check(mnu:SubMenu("view").Caption == "&View", "an entry found by its key")
local ok, err = pcall(function() return mnu:GetMenuItemInfo(99) end)
test.check(not ok and err.number == 1001, "an identifier past the table is refused with 1001")

-- A record made by the script itself.
local mine = create("Orvane.cMenuItem")
mine.Caption = "made here"
test.check(mine.Caption == "made here", "records can be made from scripts")

-- The bar is on the form: its entries count as the form's menu.
test.check(mnu.hTopMenu ~= 0, "the bar exists")
test.check(view:Count() == 2 and view:SubMenu(1).Caption == "&Small", "View holds two items")
form.lblChosen.Caption = "The bar holds File and View"
