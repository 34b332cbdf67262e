-- Connects handlers, clicks a label and waits on the virtual clock: the events come in order,
-- and a handler can change an argument passed by reference.
local lines = form.lblLines
local seen = {}
on(lines, "MouseDown", function(e) seen[#seen + 1] = "down " .. e.Button end)
on(lines, "MouseUp", function(e) seen[#seen + 1] = "up " .. e.Button end)
on(lines, "Click", function() seen[#seen + 1] = "click" end)

test.click(lines)
test.advance(500)
test.check(table.concat(seen, ",") == "down 1,up 1,click", table.concat(seen, ","))

-- KeyPress hands the key by reference: the handler turns every "a" into "b".
local typed = {}
on(lines, "KeyPress", function(e)
  if e.KeyAscii == string.byte("a") then e.KeyAscii = string.byte("b") end
end)
on(lines, "KeyPress", function(e) typed[#typed + 1] = string.char(e.KeyAscii) end)
test.click(lines)
test.type("cat")
test.check(table.concat(typed) == "cbt", table.concat(typed))
print("events and clicks: ok")
