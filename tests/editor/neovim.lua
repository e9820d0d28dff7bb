-- The language server driven by a real client, Neovim's own: the
-- scenario's sources with a misspelled keyword and a letter in a value,
-- typed into the buffers and never saved, give the check's diagnostics at
-- their lines and columns; a station's position shows its cell on hover;
-- completion in [curve] offers the curve keywords.
--   SCENARIO=... CARTELLA=... nvim --headless -u NONE -i NONE -n \
--     -c "luafile neovim.lua"
-- CARTELLA holds Vendralo_linea.txt and Vendralo_Kv4417-.txt. Ends Neovim
-- with status 0 when every check holds, 1 otherwise, and prints each check.

local scenario = os.getenv('SCENARIO')
local cartella = os.getenv('CARTELLA')
local falliti = 0

local function stampa(t)
  io.stdout:write(t .. '\n')
end

local function controlla(nome, vero, dettaglio)
  if vero then
    stampa('ok   ' .. nome)
  else
    falliti = falliti + 1
    stampa('FAIL ' .. nome .. (dettaglio and (': ' .. dettaglio) or ''))
  end
end

local function fine()
  stampa(falliti == 0 and 'neovim: all checks hold' or
         ('neovim: ' .. falliti .. ' checks failed'))
  io.stdout:flush()
  vim.cmd(falliti == 0 and 'qall!' or 'cquit! 1')
end

local ok, errore = pcall(function()
  local client = vim.lsp.start_client({
    name = 'scenario',
    cmd = { scenario, 'lsp' },
    root_dir = cartella,
  })
  assert(client, 'the server did not start')

  local function apri(nome)
    vim.cmd('edit ' .. vim.fn.fnameescape(cartella .. '/' .. nome))
    local buf = vim.api.nvim_get_current_buf()
    vim.lsp.buf_attach_client(buf, client)
    return buf
  end
  -- The 0-based line that starts with `inizio`, and the 0-based byte
  -- column of `cerca` in it.
  local function trova(buf, inizio, cerca)
    for i, riga in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
      if riga:sub(1, #inizio) == inizio then
        return i - 1, (riga:find(cerca, 1, true) or 1) - 1
      end
    end
    error('no line starting with ' .. inizio)
  end
  local function sostituisci(buf, riga, testo)
    vim.api.nvim_buf_set_lines(buf, riga, riga + 1, false, { testo })
  end

  local linea = apri('Vendralo_linea.txt')
  local treno = apri('Vendralo_Kv4417-.txt')
  vim.wait(10000, function()
    return vim.lsp.buf_is_attached(treno, client) and
           vim.lsp.get_client_by_id(client).initialized
  end)

  -- Unsaved edits: a misspelled gradient keyword, a letter in a speed.
  local rp = trova(linea, 'pendenza,  10850,', 'pendenza')
  sostituisci(linea, rp, 'pendnza,  10850,   -2')
  local rv, cv = trova(treno, 'velocita,    1250,', '95')
  sostituisci(treno, rv, 'velocita,    1250,    9o5')

  local function cerca(buf, riga, col)
    for _, d in ipairs(vim.diagnostic.get(buf)) do
      if d.lnum == riga and d.col == col then return d end
    end
  end
  vim.wait(10000, function()
    return cerca(linea, rp, 0) ~= nil and cerca(treno, rv, cv) ~= nil
  end, 20)

  local function codice(d)
    if d.code ~= nil then return d.code end
    local lsp = d.user_data and d.user_data.lsp
    return lsp and lsp.code
  end
  local w = cerca(linea, rp, 0)
  controlla('the misspelled keyword is a warning at its line and column',
            w and w.severity == vim.diagnostic.severity.WARN and
              codice(w) == nil,
            vim.inspect(vim.diagnostic.get(linea)))
  controlla('the warning suggests the keyword',
            w and w.message:find("(forse 'pendenza'?)", 1, true) ~= nil,
            w and w.message)
  local e = cerca(treno, rv, cv)
  controlla('the letter in a speed is fault 25 at the value',
            e and e.severity == vim.diagnostic.severity.ERROR and
              codice(e) == 25 and e.end_col == cv + 3,
            vim.inspect(vim.diagnostic.get(treno)))
  controlla('the fault says what the field held',
            e and e.message == "'9o5' non è un numero intero", e and e.message)

  -- Hover on the position of the second station: its cell; the compile
  -- stops at the fault, so the model holds what was read before it.
  local rs, cs = trova(treno, 'stazione,    3600,', '3600')
  local function hover()
    local risposte = vim.lsp.buf_request_sync(treno, 'textDocument/hover', {
      textDocument = { uri = vim.uri_from_bufnr(treno) },
      position = { line = rs, character = cs },
    }, 10000)
    for _, r in pairs(risposte or {}) do
      if r.result then return r.result.contents.value end
    end
    return ''
  end
  local testo = hover()
  controlla("the station's position shows its cell",
            testo:find('cella 73, che inizia a 3600 m', 1, true) ~= nil, testo)
  controlla('the hover says where the compile stops',
            testo:find("si ferma all'errore 25 (", 1, true) ~= nil and
              testo:find('Kv4417-.txt`, riga ' .. (rv + 1) .. ')', 1, true) ~= nil,
            testo)
  -- With the speed put right, the fault goes and the station is compiled.
  sostituisci(treno, rv, 'velocita,    1250,    95')
  vim.wait(10000, function() return cerca(treno, rv, cv) == nil end, 20)
  controlla('the fault goes once the value is put right',
            cerca(treno, rv, cv) == nil)
  testo = hover()
  controlla("the station's hover shows its slot and stop",
            testo:find('voce 2: da 3250 m a 3950 m', 1, true) ~= nil and
              testo:find('fermata nella cella 78', 1, true) ~= nil, testo)

  -- Completion at the start of the first row under [curve].
  local rc = trova(linea, '[curve]', '[') + 1
  local risposte = vim.lsp.buf_request_sync(linea, 'textDocument/completion', {
    textDocument = { uri = vim.uri_from_bufnr(linea) },
    position = { line = rc, character = 0 },
  }, 10000)
  local etichette = {}
  for _, r in pairs(risposte or {}) do
    local voci = r.result and (r.result.items or r.result) or {}
    for _, v in ipairs(voci) do etichette[v.label] = v.sortText end
  end
  local curve = true
  for _, lato in ipairs({ 'd', 's' }) do
    for classe = 1, 6 do
      local k = etichette['curva' .. lato .. classe]
      curve = curve and k ~= nil and k < (etichette['pendenza'] or '')
    end
  end
  controlla('completion in [curve] offers the curve keywords first', curve,
            vim.inspect(etichette))

  vim.lsp.stop_client(client)
end)
if not ok then
  falliti = falliti + 1
  stampa('FAIL ' .. tostring(errore))
end
fine()
