-- Run-time errors reach Lua as catchable error objects; script errors name the file and the
-- line; nothing a script does wrong crashes the host.
local check = dofile((arg[0]:match("^(.*/)") or "./") .. "check.lua")
local lua = assert(arg[3], "the path of quindel-lua is the third argument")

-- The error object.
local e = check.error(429, CreateObject, "No.Such.Component")
check.equal(e.description, "ActiveX component can't create object", "description")
check.equal(e.source, "No.Such.Component", "source")
local line = debug.getinfo(1, "l").currentline + 1
local ok, err = pcall(function() return CreateObject("{00000000-0000-0000-0000-0000000000AA}") end)
assert(not ok and err.number == 429)
local text = tostring(err)
assert(text:find("test_errors.lua:" .. line .. ": run-time error 429: ", 1, true), text)

-- A control needs a form for its site.
check.error(5, CreateObject, "OCX_Pilonda2.Quindel")
local panel, form = check.panel()
ok, err = pcall(CreateObject, "OCX_Pilonda2.Quindel", panel)
assert(not ok and tostring(err):find("site is a form"), tostring(err))

-- Calling a method with '.' instead of ':'.
ok, err = pcall(function() panel.MostraOggetto() end)
assert(not ok and tostring(err):find("':'"), tostring(err))

-- The host's own functions check their arguments.
check.error(13, host.move, panel, "left", 0)
check.error(424, host.click, 42, 0, 0)
check.error(429, host.new, "Quindel.NoSuchKit")

-- A control whose form was unloaded fails its calls instead of touching freed memory.
local other = host.form{visible = true}
local orphan = CreateObject("OCX_Pilonda2.Quindel", other)
host.unload(other)
pcall(function() orphan:CLickLista(0) end)
pcall(function() orphan.ValorePulsante[13] = -1 end)
Release(orphan)
collectgarbage()

-- Scripts run in a child host: what it prints and how it ends.
local function run(code)
  local file = check.scratch .. "/script_" .. tostring(os.time()) .. "_" ..
               tostring(math.random(1e9)) .. ".lua"
  local f = assert(io.open(file, "wb"))
  f:write(code)
  f:close()
  local pipe = assert(io.popen("'" .. lua .. "' '" .. file .. "' 2>&1"))
  local out = pipe:read("a")
  local _, _, status = pipe:close()
  os.remove(file)
  return out, status, file:match("[^/]+$")
end

local out, status, name = run("local x = 1\nlocal y = nil + x\n")
check.equal(status, 1, "exit status of a failing script")
assert(out:find(name .. ":2:", 1, true), out)
out, status, name = run("local x = \n\n)")
check.equal(status, 1, "exit status of a syntax error")
assert(out:find(name .. ":3:", 1, true), out)
out, status, name = run("\nlocal t = host.form{}\nlocal v = t.NoSuchMember\n")
assert(out:find(name .. ":3: run-time error 438", 1, true), out)
out, status = run(string.dump(function() print("binary") end))
check.equal(status, 1, "binary chunks are refused")
assert(not out:find("binary\n"), out)
out, status = run("print('fine')")
check.equal(status, 0, "a good script")
check.equal(out, "fine\n", "its output")
print("errors: done")
