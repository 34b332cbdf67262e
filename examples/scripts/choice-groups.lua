-- The choice groups from a script (run against examples/forms/choice-groups.json): selection
-- within exclusion groups, keys, toggling, refused values and items read by position.
local opt = form.optPizza
test.check(opt.SelIndex == 1 and opt:SelIndexByGroup("size") == 1, "Medium to start")
test.check(opt:SelIndexByGroup("sauce") == 3, "Tomato to start")

local items, clicks = {}, 0
on(opt, "ItemClick", function(e) items[#items + 1] = e.SelIndex end)
on(opt, "Click", function() clicks = clicks + 1 end)

-- The first column's item i: 2 pixels inside the one-pixel border, rows of 22 pixels.
local function firstColumn(ctl, i)
  return ctl.Left // 15 + 3 + 10, ctl.Top // 15 + 3 + i * 22 + 11
end

local x, y = firstColumn(opt, 2)
test.click(x, y)
test.check(opt.SelIndex == 2 and items[1] == 2 and clicks == 1, "a click selects Large")
test.check(opt:SelIndexByGroup("size") == 2, "Large is the size")
test.check(opt:SelIndexByGroup("sauce") == 3, "the sauce stays Tomato")
test.check(opt.States == "False|False|True|True|False|False", "states: " .. opt.States)

-- The right arrow moves to the next column: Pesto, in the other group.
test.key("Right")
test.check(opt.SelIndex == 5 and clicks == 2, "Right selects Pesto")
test.check(opt:SelIndexByGroup("sauce") == 5 and opt:SelIndexByGroup("size") == 2, "two groups")

local ok, err = pcall(function() opt.SelIndex = 6 end)
test.check(not ok and err.number == 380, "SelIndex 6 of 6 items is refused with 380")
test.check(opt.SelIndex == 5, "and nothing changed")

-- Check boxes keep their own states.
local chk = form.chkToppings
test.check(chk.Count == 6 and chk:Value(0) and not chk:Value(1), "Cheese and not Olives")
x, y = firstColumn(chk, 1)
test.click(x, y)
test.check(chk:Value(1) and chk:Value(0), "a click checks Olives and leaves Cheese")
chk:ToggleCheck(0)
test.check(not chk:Value(0), "ToggleCheck clears Cheese")
ok, err = pcall(function() return chk:Value(9) end)
test.check(not ok and err.number == 380, "Value(9) is refused with 380")

-- Sorted captions are read by position; the button group's items likewise.
test.check(form.chkSorted:Text(0) == "Alpha", "sorted: " .. form.chkSorted:Text(0))
local view = form.grpView
view.SelIndex = 2
test.check(view:Text(view.SelIndex) == "Icons", "the view is Icons")
print("choice groups: ok")
