-- Shared by the Lua tests: the panel on a form of its own, and checks that say what failed.
local check = {}

-- Where the strip puts the centre of each button at its default layout, in twips over the
-- control's window.
check.button = {}
for i, x in ipairs({240, 600, 960, 1320, 1680, 2040, 2400, 2760, 4452, 4812, 5172, 5532, 5892,
                    6252, 6612, 6972, 7332}) do
  check.button[i] = {x = x, y = 240}
end

function check.panel()
  local form = host.form{caption = "Test", border = 0, left = 1500, top = 1500,
                         width = 10200, height = 600}
  local panel = CreateObject("OCX_Pilonda2.Quindel", form)
  panel:Move(0, 0, 9900, 600)
  form:Show()
  return panel, form
end

-- Runs f and returns the run-time error it raised; fails unless it raised `number`.
function check.error(number, f, ...)
  local ok, e = pcall(f, ...)
  assert(not ok, "expected run-time error " .. number .. ", nothing failed", 2)
  if type(e) ~= "table" or e.number ~= number then
    error("expected run-time error " .. number .. ", got " .. tostring(e), 2)
  end
  return e
end

function check.equal(actual, expected, what)
  if actual ~= expected then
    error((what or "value") .. ": expected " .. tostring(expected) .. " (" .. type(expected) ..
          "), got " .. tostring(actual) .. " (" .. type(actual) .. ")", 2)
  end
end

-- The folder for files of this test (the first argument), the sample content (the second).
check.scratch = arg[1] or os.getenv("TMPDIR") or "/tmp"
check.sample = arg[2] or "resources/sample"

return check
