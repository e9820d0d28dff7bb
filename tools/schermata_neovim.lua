-- Neovim set up for the README's picture: the language server attached to
-- the scenario's own sources, a keyword misspelled in the line source and a
-- letter typed into a station's dwell in the train source, and the hover of
-- the station before it. Run by tools/schermata_neovim.sh with the folder
-- of the two sources in CARTELLA.
local scenario = os.getenv('SCENARIO')
local cartella = os.getenv('CARTELLA')
vim.o.termguicolors = true
vim.o.number = true
vim.o.signcolumn = 'yes'
vim.o.laststatus = 2
vim.cmd('syntax off')
vim.cmd('highlight NormalFloat guibg=#2d2d3a guifg=#e0e0e0')
vim.diagnostic.config({ virtual_text = true, signs = true, underline = true })
local client = vim.lsp.start_client({ name = 'scenario', cmd = { scenario, 'lsp' } })

local function apri(comando, nome)
  vim.cmd(comando .. ' ' .. cartella .. '/' .. nome)
  local buf = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(buf, client)
  return buf
end
local function riga(buf, inizio)
  for i, r in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
    if r:sub(1, #inizio) == inizio then return i, r end
  end
end

local linea = apri('edit', 'Vendralo_linea.txt')
local treno = apri('belowright split', 'Vendralo_Kv4417-.txt')
vim.wait(5000, function() return vim.lsp.get_client_by_id(client).initialized end)
local rp = riga(linea, 'pendenza,  10850,')
vim.api.nvim_buf_set_lines(linea, rp - 1, rp, false, { 'pendnza,  10850,   -2' })
local rs, s = riga(treno, 'stazione,    9500,')
vim.api.nvim_buf_set_lines(treno, rs - 1, rs, false, { (s:gsub('   60,', '   6o,')) })
vim.wait(5000, function() return #vim.diagnostic.get(treno) >= 3 end)

vim.cmd('wincmd t')
vim.cmd('resize 8')
vim.api.nvim_win_set_cursor(0, { rp, 0 })
vim.cmd('normal! zz')
vim.cmd('wincmd b')
local r3600 = riga(treno, 'stazione,    3600,')
vim.api.nvim_win_set_cursor(0, { r3600 + 2, 0 })
vim.cmd('normal! zb')
vim.api.nvim_win_set_cursor(0, { r3600, 14 })
vim.defer_fn(function() vim.lsp.buf.hover() end, 300)
