-- Shared by the Lua tests: the panel on a form of its own, and checks that say what failed.
local check = {}

-- The centre of the strip's first button, in twips over the control's window: the strip starts
-- with it whatever else it shows. Other buttons are pressed through ValorePulsante, as a host
-- does, since where they sit depends on which buttons are shown.
check.first_button = {x = 240, y = 240}

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
