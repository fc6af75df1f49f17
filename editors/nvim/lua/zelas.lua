-- Registers the zelas language server (`zelas --lsp`) with neovim for the filetype "zelas".
--
--   require('zelas').setup({
--     detect = 'project',  -- which .asm/.inc files are zelas sources: 'project' (default), 'all', false
--     cmd = { 'zelas', '--lsp' },
--     init_options = { includePath = {}, defines = {}, product = 'PX107', noRomCheck = false, tabWidth = 8 },
--     on_attach = function(client, bufnr) end,  -- also called when the server attaches
--   })
--
-- .asm and .inc are used by many assemblers, so files are claimed only as the user chooses:
-- 'project' takes a file that has a zelas.cfg in its folder or one above it, that selects a
-- product with a `cpu PXnnn` line near its top, or that lies beside a zelas source already open;
-- 'all' takes every .asm and .inc; false takes none (set the filetype yourself, for example with a
-- modeline `; vim: ft=zelas`).
local M = {}

local function folderOf(path)
  return vim.fn.fnamemodify(path, ':p:h')
end

-- The folder of the nearest zelas.cfg at or above the file's, or nil.
local function configFolder(path)
  local cfg = vim.fn.findfile('zelas.cfg', folderOf(path) .. ';')
  if cfg == '' then return nil end
  return folderOf(cfg)
end

local function selectsProduct(buf)
  for _, line in ipairs(vim.api.nvim_buf_get_lines(buf, 0, 50, false)) do
    local code = line:gsub(';.*', ''):gsub('//.*', '')
    if code:lower():match('^%s*[%w_#.]*%s*:?%s*cpu%s+px1%d%d%f[^%w_#.]') then return true end
  end
  return false
end

-- Whether a zelas source is open from the same folder: an included file opened from it, say by
-- going to a definition, is then taken too.
local function besideOpenSource(buf)
  local folder = folderOf(vim.api.nvim_buf_get_name(buf))
  for _, other in ipairs(vim.api.nvim_list_bufs()) do
    if other ~= buf and vim.api.nvim_buf_is_loaded(other) and vim.bo[other].filetype == 'zelas'
        and folderOf(vim.api.nvim_buf_get_name(other)) == folder then
      return true
    end
  end
  return false
end

local function isZelasSource(buf, detect)
  if detect == 'all' then return true end
  local path = vim.api.nvim_buf_get_name(buf)
  return configFolder(path) ~= nil or selectsProduct(buf) or besideOpenSource(buf)
end

-- Each line's address, bytes and cycles: as inlay hints where neovim shows them (0.10 on), else
-- as code lenses, refreshed when the text settles.
local function showLineFacts(client, buf)
  local caps = client.server_capabilities or {}
  if caps.inlayHintProvider and vim.lsp.inlay_hint then
    vim.lsp.inlay_hint.enable(true, { bufnr = buf })
  elseif caps.codeLensProvider then
    vim.api.nvim_create_autocmd({ 'BufEnter', 'InsertLeave', 'TextChanged' }, {
      group = vim.api.nvim_create_augroup('zelas-lens-' .. buf, { clear = true }),
      buffer = buf,
      callback = function()
        vim.lsp.codelens.refresh()
      end,
    })
    vim.lsp.codelens.refresh()
  end
end

-- vim.lsp.start (0.8 and later) keeps one client per name and root; 0.7 has only the pieces.
local clients = {}
local function attach(buf, config)
  if vim.lsp.start then
    vim.lsp.start(config, { bufnr = buf })
    return
  end
  local id = clients[config.root_dir]
  if not id or vim.lsp.client_is_stopped(id) then
    id = vim.lsp.start_client(config)
    clients[config.root_dir] = id
  end
  if id then vim.lsp.buf_attach_client(buf, id) end
end

function M.setup(opts)
  opts = opts or {}
  local detect = opts.detect
  if detect == nil then detect = 'project' end
  local group = vim.api.nvim_create_augroup('zelas', { clear = true })
  if detect then
    vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
      group = group,
      pattern = { '*.asm', '*.inc' },
      callback = function(args)
        if isZelasSource(args.buf, detect) then vim.bo[args.buf].filetype = 'zelas' end
      end,
    })
  end
  vim.api.nvim_create_autocmd('FileType', {
    group = group,
    pattern = 'zelas',
    callback = function(args)
      vim.bo[args.buf].commentstring = '; %s'
      local path = vim.api.nvim_buf_get_name(args.buf)
      attach(args.buf, {
        name = 'zelas',
        cmd = opts.cmd or { 'zelas', '--lsp' },
        -- Include names are taken relative to the working directory, as on the command line.
        root_dir = configFolder(path) or vim.fn.getcwd(),
        init_options = opts.init_options or {},
        on_attach = function(client, bufnr)
          showLineFacts(client, bufnr)
          if opts.on_attach then opts.on_attach(client, bufnr) end
        end,
      })
    end,
  })
end

return M
