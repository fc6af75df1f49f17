-- Headless neovim as a real client of `zelas --lsp`. Run by editors/test.sh as
--   nvim --headless --clean -c 'luafile editors/nvim/test/e2e.lua'
-- with ZELAS (the zelas executable), ZELAS_SERVER (the server to start, ZELAS unless set),
-- ZELAS_NVIM_LUA (editors/nvim/lua) and ZELAS_E2E_DIR (a folder holding a copy of
-- examples/blink.asm with a mistake, and blink_io.inc). The command line assembler, run on the
-- same copy, tells what the editor must show. Exits 0 when every check holds; on the first failed
-- check or time-out it names it on standard error and exits 1.
local zelas = assert(os.getenv('ZELAS'), 'ZELAS names the zelas executable')
local dir = assert(os.getenv('ZELAS_E2E_DIR'), 'ZELAS_E2E_DIR names the sources')
local waitMs = tonumber(os.getenv('ZELAS_E2E_WAIT_MS') or '20000')
package.path = assert(os.getenv('ZELAS_NVIM_LUA')) .. '/?.lua;' .. package.path

local function fail(what)
  io.stderr:write('nvim e2e: FAILED: ' .. what .. '\n')
  vim.cmd('cquit 1')
end

local function check(ok, what)
  if not ok then fail(what) end
end

local function waitFor(what, condition)
  check(vim.wait(waitMs, condition, 50), 'timed out waiting for ' .. what)
end

local function say(what)
  io.stdout:write('nvim e2e: ' .. what .. '\n')
end

-- What the command line reports: "blink.asm:LINE:COLUMN: warning: TEXT", columns from 1.
local function commandLineReports()
  vim.fn.chdir(dir)
  local out = vim.fn.system({ zelas, '--diagnostics=gnu', '--symbols=blink.sym', 'blink' })
  local reports = {}
  for line, col, kind, text in out:gmatch('blink%.asm:(%d+):(%d+): (%a+): ([^\n]*)') do
    table.insert(reports, { line = tonumber(line) - 1, col = tonumber(col) - 1, kind = kind, text = text })
  end
  return reports
end

-- The value of a label from the --symbols file, whose lines read "name: equ 02Eh".
local function symbolValue(name)
  for line in io.lines(dir .. '/blink.sym') do
    local value = line:match('^' .. name .. ': equ (%x+)h$')
    if value then return tonumber(value, 16) end
  end
  fail('no symbol ' .. name .. ' in blink.sym')
end

-- The 0-based line of the first line of the buffer that matches pattern.
local function lineOf(pattern)
  for i, line in ipairs(vim.api.nvim_buf_get_lines(0, 0, -1, false)) do
    if line:match(pattern) then return i - 1 end
  end
  fail('no line matches ' .. pattern)
end

local function hoverText(result)
  local contents = result and result.contents
  if type(contents) == 'string' then return contents end
  if type(contents) ~= 'table' then return '' end
  if contents.value then return contents.value end
  local parts = {}
  for _, part in ipairs(contents) do
    table.insert(parts, type(part) == 'string' and part or part.value or '')
  end
  return table.concat(parts, '\n')
end

-- Whether text shows value as a hexadecimal number in any usual form: 002E, 02Eh, 0x2e.
local function showsHex(text, value)
  for digits in text:gsub('0[xX](%x+)', '%1'):gmatch('%x+') do
    if tonumber(digits, 16) == value then return true end
  end
  return false
end

-- A Lua error would leave neovim waiting for input: report it and exit instead.
local function main()
  local reports = commandLineReports()
  check(#reports == 1, 'the command line gave ' .. #reports .. ' reports, expected the one mistake')
  local expected = reports[1]
  say(string.format('command line: %d:%d %s: %s', expected.line, expected.col, expected.kind, expected.text))

  require('zelas').setup({ cmd = { os.getenv('ZELAS_SERVER') or zelas, '--lsp' } })
  vim.cmd('edit ' .. vim.fn.fnameescape(dir .. '/blink.asm'))
  check(vim.bo.filetype == 'zelas', 'filetype is "' .. vim.bo.filetype .. '", not zelas (cpu line detection)')
  check(expected.line == lineOf('call%s+led_onn'), 'the command line put its report on another line')
  waitFor('the server to start and attach', function()
    return #vim.lsp.buf_get_clients(0) > 0
  end)

  -- Diagnostics: the one report, at the command line's place, with its text and severity.
  waitFor('diagnostics', function()
    return #vim.diagnostic.get(0) > 0
  end)
  local diagnostics = vim.diagnostic.get(0)
  check(#diagnostics == 1, #diagnostics .. ' diagnostics, expected 1')
  local d = diagnostics[1]
  say(string.format('diagnostic: %d:%d-%d:%d %s', d.lnum, d.col, d.end_lnum, d.end_col, d.message))
  check(d.message == expected.text, 'diagnostic text "' .. d.message .. '"')
  check(d.severity == vim.diagnostic.severity.WARN, 'diagnostic severity ' .. tostring(d.severity))
  check(d.lnum == expected.line and d.end_lnum == expected.line, 'diagnostic on line ' .. d.lnum)
  check(d.col <= expected.col and expected.col <= d.end_col, 'diagnostic range misses the column')

  -- Go to definition: from "call delay" to the line "delay:".
  local useLine = lineOf('^%s+call%s+delay$')
  local definitionLine = lineOf('^delay:')
  local useColumn = vim.api.nvim_buf_get_lines(0, useLine, useLine + 1, false)[1]:find('delay') - 1
  vim.api.nvim_win_set_cursor(0, { useLine + 1, useColumn + 2 })
  vim.lsp.buf.definition()
  waitFor('the jump to the definition', function()
    return vim.api.nvim_win_get_cursor(0)[1] ~= useLine + 1
  end)
  local cursor = vim.api.nvim_win_get_cursor(0)
  say(string.format('definition: cursor at %d:%d', cursor[1] - 1, cursor[2]))
  check(cursor[1] - 1 == definitionLine and cursor[2] == 0, 'definition cursor not on "delay:"')

  -- Hover on the label: its name and its address as the command line's symbol file gives it.
  local params = vim.lsp.util.make_position_params()
  params.position = { line = useLine, character = useColumn + 2 }
  local answers = vim.lsp.buf_request_sync(0, 'textDocument/hover', params, waitMs)
  check(answers ~= nil, 'no hover answer')
  local text = ''
  for _, answer in pairs(answers) do
    check(answer.err == nil, 'hover error ' .. vim.inspect(answer.err))
    text = text .. hoverText(answer.result)
  end
  say('hover: ' .. text:gsub('\n', ' | '))
  check(text:find('delay', 1, true) ~= nil, 'hover does not name delay')
  check(showsHex(text, symbolValue('delay')), 'hover does not show the address of delay')

  -- Go to definition across files: from "iowr LED_PORT" to its equ in the included file, which is
  -- then a zelas source too.
  local ioLine = lineOf('^%s+iowr%s+LED_PORT$')
  local ioColumn = vim.api.nvim_buf_get_lines(0, ioLine, ioLine + 1, false)[1]:find('LED_PORT') - 1
  vim.api.nvim_win_set_cursor(0, { ioLine + 1, ioColumn })
  vim.lsp.buf.definition()
  waitFor('the jump into blink_io.inc', function()
    return vim.api.nvim_buf_get_name(0):match('blink_io%.inc$') ~= nil
  end)
  cursor = vim.api.nvim_win_get_cursor(0)
  say(string.format('definition: blink_io.inc at %d:%d', cursor[1] - 1, cursor[2]))
  check(cursor[1] - 1 == lineOf('^LED_PORT:') and cursor[2] == 0, 'cursor not on "LED_PORT:"')
  check(vim.bo.filetype == 'zelas', 'the included file opened as "' .. vim.bo.filetype .. '"')

  say('all checks passed')
  vim.cmd('qall!')
end

local ok, err = xpcall(main, debug.traceback)
if not ok then
  io.stderr:write('nvim e2e: FAILED: ' .. err .. '\n')
  vim.cmd('cquit 1')
end
