-- List views from a script (run against examples/forms/listview.json): the windows built by
-- Initialize, columns, grouped items with progress and ranking cells, sorting by number, a
-- virtual list of a million rows answered by ItemDataRequest, and clicks raising ItemClick.
local files = form.lvFiles
files.ScaleMode = 3  -- pixels
test.check(files:ItemAdd(0, "too early") == -1, "nothing is added before Initialize")
test.check(files:Initialize(), "the report's window is built")
files:ColumnAdd(0, "Name", 130)
files:ColumnAdd(1, "Size", 70, Orvane.eColumnAlignConstants.caRight)
files:ColumnAdd(2, "Done", 90)
files:ColumnAdd(3, "Rating", 86)
test.check(files.ColumnCount == 4, "four columns: " .. files.ColumnCount)

files:GroupAdd(1, "Documents")
files:GroupAdd(2, "Pictures")
local names = {"report.odt", "holiday.png", "budget.ods", "cat.jpg", "notes.txt", "map.svg"}
for i, name in ipairs(names) do
  local row = files:ItemAdd(i - 1, name)
  files:SubItemText(row, 1, tostring(i * 1234 % 9000))
  files:SubItemText(row, 2, tostring(i * 17 % 101))
  files:SubItemText(row, 3, tostring(i % 6))
  files:ItemGroup(row, (name:match("%.png$") or name:match("%.jpg$") or name:match("%.svg$")) and 2 or 1)
end
files.GroupsEnable = true
test.check(files.Count == 6 and files.GroupCount == 2, "six items in two groups")

test.check(not files:Sort(1, 2, Orvane.eSortTypeConstants.stNumeric), "an order of 2 is refused")
test.check(files:Sort(1, Orvane.eSortOrderConstants.soDescending, Orvane.eSortTypeConstants.stNumeric),
           "sorted by size, largest first")
local first, second = tonumber(files:SubItemText(0, 1)), tonumber(files:SubItemText(1, 1))
test.check(first >= second, "largest first: " .. first .. " then " .. second)
files:ColumnOrder(1, Orvane.eSortOrderConstants.soDescending)

local clicked = -1
on(files, "ItemClick", function(e) clicked = e.Item end)
files.GroupsEnable = false  -- plain rows, for a predictable click
local x = files.Left // 15 + 40
local y = files.Top // 15 + math.floor(files:ItemTop(2) + files:ItemHeight(2) / 2) + 2
test.click(x, y)
test.check(clicked == 2, "clicking the third row raises ItemClick(2): " .. clicked)
files.GroupsEnable = true

-- The virtual list: a million rows, each asked for as it shows.
local rows = form.lvRows
rows:Initialize()
rows:ColumnAdd(0, "Row", 80)
rows:ColumnAdd(1, "Square", 100)
local asked = 0
on(rows, "ItemDataRequest", function(e)
  asked = asked + 1
  if e.ColumnIndex == 0 then e.Text = "Row " .. e.ItemIndex else e.Text = tostring(e.ItemIndex * e.ItemIndex) end
end)
rows.Items = 1000000
test.check(rows.Count == 1000000, "a million rows")
test.check(rows:ItemText(999999) == "Row 999999", "the last row answers: " .. rows:ItemText(999999))
rows:ItemEnsureVisible(500000)
test.check(rows.TopIndex > 400000, "scrolled half way: " .. rows.TopIndex)

-- The same names as small icons.
local icons = form.lvIcons
icons:Initialize()
for i, name in ipairs(names) do icons:ItemAdd(i - 1, name) end
test.check(icons:ItemFindText("CAT", -1, Orvane.eCoincidenceConstants.cPartial) == 3,
           "found without case")
