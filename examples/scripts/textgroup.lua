-- The text group from a script (run against examples/forms/textgroup.json): an item edited in
-- place with a double click and Enter, Escape keeping the old text, F2 on the selected item and
-- Change raised also for an unchanged text, and a sorted group storing into its own field.
local names = form.txtNames
local changes = {}
on(names, "Change", function(e) changes[#changes + 1] = e.SelIndex .. "=" .. e.Text end)

-- The first column's item i: 2 pixels inside the one-pixel border, rows of 22 pixels.
local function firstColumn(ctl, i)
  return ctl.Left // 15 + 3 + 10, ctl.Top // 15 + 3 + i * 22 + 11
end

local x, y = firstColumn(names, 1)
test.dblclick(x, y)
test.type("Grace Hopper")
test.key("Enter")
test.check(names:Text(1) == "Grace Hopper", "item 1 is " .. names:Text(1))
test.check(changes[1] == "1=Grace Hopper", "Change gave " .. tostring(changes[1]))
test.check(names.Caption == "Ada|Grace Hopper|Edsger|Barbara|Donald|Niklaus",
           "the other items stay: " .. names.Caption)

-- Escape closes the field and keeps the text.
test.advance(1000)
x, y = firstColumn(names, 2)
test.dblclick(x, y)
test.type("Dijkstra")
test.key("Esc")
test.check(names:Text(2) == "Edsger" and #changes == 1, "Escape kept Edsger")

-- F2 edits the selected item; Enter with the text as it was still raises Change.
names.SelIndex = 0
test.key("F2")
test.key("Enter")
test.check(#changes == 2 and changes[2] == "0=Ada", "an unchanged Ada: " .. tostring(changes[2]))

-- Typed "|" never splits an item.
test.key("F2")
test.type("Ada|Lovelace")
test.key("Enter")
test.check(names.Count == 6 and names:Text(0) == "AdaLovelace", "item 0 is " .. names:Text(0))

-- A sorted group stores into the item's own caption field.
local units = form.txtUnits
test.check(units:Text(0) == "Grams", "sorted: " .. units:Text(0))
-- Right to left, its first column is at the right edge; a click there selects and focuses.
test.advance(1000)
test.click(units.Left // 15 + units.Width // 15 - 13, units.Top // 15 + 3 + 11)
test.check(units.SelIndex == 0, "Grams selected")
test.key("F2")
test.type("Ounces")
test.key("Enter")
test.check(units.Caption == "Metres|Litres|Ounces|Seconds|Kelvin", "units: " .. units.Caption)
print("text group: ok")
