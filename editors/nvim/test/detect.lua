-- Which files the neovim setup takes for zelas sources, headless and without a server. Run by
-- editors/test.sh as
--   nvim --headless --clean -c 'luafile editors/nvim/test/detect.lua'
-- with ZELAS_NVIM_LUA (editors/nvim/lua). Exits 0 when every check holds, else 1.
package.path = assert(os.getenv('ZELAS_NVIM_LUA')) .. '/?.lua;' .. package.path
local zelas = require('zelas')
-- A server that reads and never answers: only the filetype matters here.
local quiet = { 'sh', '-c', 'cat >/dev/null' }
local root = vim.fn.tempname()
local failures = 0

local function write(path, lines)
  vim.fn.mkdir(vim.fn.fnamemodify(path, ':h'), 'p')
  vim.fn.writefile(lines, path)
  return path
end

local function filetypeOf(path)
  vim.cmd('silent! %bwipeout!')
  vim.cmd('edit ' .. vim.fn.fnameescape(path))
  return vim.bo.filetype
end

local function expect(detect, path, wanted)
  zelas.setup({ detect = detect, cmd = quiet })
  local got = filetypeOf(path)
  if (got == 'zelas') ~= wanted then
    failures = failures + 1
    io.stderr:write(string.format('detect=%s %s: filetype "%s"\n', tostring(detect), path, got))
  end
end

-- A Lua error would leave neovim waiting for input: report it and exit instead.
local function main()
  local plain = write(root .. '/other/plain.asm', { '\tmov ax, 4c00h', '\tint 21h' })
  local other = write(root .. '/other/defs.inc', { 'X = 1' })
  local selects = write(root .. '/other/blink.asm', { '; blink', '        cpu     PX107', '        nop' })
  local commented = write(root .. '/other/note.asm', { '; cpu PX107 is our product', '  nop' })
  write(root .. '/project/zelas.cfg', { 'tab 8' })
  local inProject = write(root .. '/project/src/io.inc', { 'LED: equ 10h' })

  expect('project', plain, false)
  expect('project', other, false)
  expect('project', selects, true)
  expect('project', commented, false) -- a cpu word in a comment selects nothing
  expect('project', inProject, true) -- a zelas.cfg in a folder above
  -- An included file opened from a source beside it, as a jump to a definition does.
  zelas.setup({ detect = 'project', cmd = quiet })
  filetypeOf(selects)
  vim.cmd('edit ' .. vim.fn.fnameescape(other))
  if vim.bo.filetype ~= 'zelas' then
    failures = failures + 1
    io.stderr:write('an .inc beside an open zelas source: filetype "' .. vim.bo.filetype .. '"\n')
  end
  expect('all', plain, true)
  expect('all', other, true)
  expect(false, selects, false)

  vim.fn.delete(root, 'rf')
  if failures > 0 then vim.cmd('cquit 1') end
  io.stdout:write('nvim detection: all checks passed\n')
  vim.cmd('qall!')
end

local ok, err = xpcall(main, debug.traceback)
if not ok then
  io.stderr:write('nvim detection: FAILED: ' .. err .. '\n')
  vim.cmd('cquit 1')
end
